// brezzolo: the window program. Works in the current folder, where config.brz lives.

#include <QApplication>

#include "qt/main_window.h"
#include "qt/program_icon.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brezzolo"));
    QApplication::setWindowIcon(brezzolo::programIcon());
    // The program ends only through its own ways out ("Esci", "ESCI", the main window's
    // frame, or giving up the first run), never because a dialog was the last window open.
    QApplication::setQuitOnLastWindowClosed(false);

    brezzolo::Brezzolo window;
    if (!window.start()) {
        return 1;
    }
    const int status = QApplication::exec();
    window.finishBackgroundWork();
    return status;
}
