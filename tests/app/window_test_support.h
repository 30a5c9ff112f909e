#pragma once

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace brezzolo::test {

// Accepts every modal message box that opens while it lives, noting what each one said, so
// that no test is left waiting on a box.
class MessageBoxCloser {
  public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };

    MessageBoxCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr && box->isVisible()) {
                seen_.push_back({box->windowTitle(), box->text(), box->icon()});
                box->accept();
            }
        });
        timer_.start(20);
    }
    const std::vector<Seen>& seen() const { return seen_; }

  private:
    QTimer timer_;
    std::vector<Seen> seen_;
};

// An element of the main window by its name: the window's own page first (the dialogs,
// children of the window, reuse some names), then the menus and the window's timer.
template <typename T>
T* element(QMainWindow& window, const QString& name) {
    if (T* found = window.centralWidget()->findChild<T*>(name)) {
        return found;
    }
    if (T* found = window.menuBar()->findChild<T*>(name)) {
        return found;
    }
    return window.findChild<T*>(name, Qt::FindDirectChildrenOnly);
}

// A working folder with a current config.brz naming a Heavy Weather folder and an output
// folder of its own.
struct Station {
    TempFolder work;
    TempFolder heavyWeather;
    TempFolder output;

    std::string configPath() const { return work.file("config.brz"); }
    std::string configText(const std::string& chart = "1") const {
        return crlf({"1", "1", chart, heavyWeather.path(), output.path(), "history.dat"});
    }
    void writeConfig(const std::string& chart = "1") const {
        writeFileBytes(configPath(), configText(chart));
    }
};

// Runs the program's event loop, does `action` in it, and tells whether the loop then ended
// by itself with 0 (false when it was still running after ten seconds).
inline bool programEndsAfter(const std::function<void()>& action) {
    QTimer act;
    act.setSingleShot(true);
    QObject::connect(&act, &QTimer::timeout, action);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    act.start(50);
    guard.start(10000);
    return QCoreApplication::exec() == 0;
}

}  // namespace brezzolo::test
