#include "config/settings_dialogs.h"

namespace brezzolo {

Setup_Parametri::Setup_Parametri(QWidget* parent, std::string) : QDialog(parent) {}
Setup_Pressione::Setup_Pressione(QWidget* parent, std::string) : QDialog(parent) {}

}  // namespace brezzolo
