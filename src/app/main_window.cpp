#include "app/main_window.h"

namespace brezzolo {

Brezzolo::Brezzolo(QWidget* parent) : QMainWindow(parent) {}

}  // namespace brezzolo
