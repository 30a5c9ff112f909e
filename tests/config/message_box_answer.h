#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <vector>

namespace brezzolo::test {

// Presses OK on every modal message box that opens while it lives and notes what each one
// said, so that no test is left waiting on a box.
class MessageBoxAnswer {
  public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };

    MessageBoxAnswer() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr && box->isVisible()) {
                seen_.push_back({box->windowTitle(), box->text(), box->icon()});
                box->accept();
            }
        });
        timer_.start();
    }

    const std::vector<Seen>& seen() const { return seen_; }

  private:
    QTimer timer_;
    std::vector<Seen> seen_;
};

}  // namespace brezzolo::test
