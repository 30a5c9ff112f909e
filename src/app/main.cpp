#include <QApplication>

#include "app/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    brezzolo::Brezzolo window;
    window.show();
    return QApplication::exec();
}
