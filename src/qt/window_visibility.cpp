#include "qt/window_visibility.h"

#include <QWidget>

namespace brezzolo {

void raiseWindow(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

void showVisibility(QWidget* window, bool visible) {
    if (visible && !window->isVisible()) {
        raiseWindow(window);
    } else if (!visible && window->isVisible()) {
        window->hide();
    }
}

}  // namespace brezzolo
