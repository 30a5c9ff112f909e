#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace brezzolo::test {

// Does `action`, answering every modal message box that opens meanwhile with OK; returns
// "title: text" of each, in order.
inline QStringList boxesDuring(const std::function<void()>& action) {
    QStringList seen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen.append(box->windowTitle() + ": " + box->text());
            box->accept();
        }
    });
    closer.start(10);
    action();
    return seen;
}

}  // namespace brezzolo::test
