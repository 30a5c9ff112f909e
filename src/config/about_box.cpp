#include "config/about_box.h"

namespace brezzolo {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {}

}  // namespace brezzolo
