// brezzolo: the window program. Works in the current folder, where config.brz lives.

#include <QApplication>

#include "app/instance_lock.h"
#include "qt/main_window.h"
#include "qt/program_icon.h"
#include "qt/warning_box.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brezzolo"));
    QApplication::setWindowIcon(brezzolo::programIcon());
    // The program ends only through its own ways out ("Esci", "ESCI", the main window's
    // frame, or giving up the first run), never because a dialog was the last window open.
    QApplication::setQuitOnLastWindowClosed(false);

    // One Brezzolo per working folder; the lock is held until the program ends.
    const brezzolo::InstanceLock instanceLock;
    if (instanceLock.heldElsewhere()) {
        brezzolo::showWarning(nullptr, QString::fromUtf8(brezzolo::kAlreadyRunningMessage));
        return 1;
    }

    brezzolo::Brezzolo window;
    if (!window.start()) {
        return 1;
    }
    return QApplication::exec();
}
