#include "config/folder_dialog.h"

// Placeholder until the dialog is built: no fields, nothing loaded.
namespace brezzolo {

Configurazione::Configurazione(QWidget* parent, std::string) : QDialog(parent) {}
void Configurazione::load() {}
bool Configurazione::isLoaded() const { return false; }
void Configurazione::setFirstRun(bool) {}
std::string Configurazione::heavyWeatherFolder() const { return {}; }
std::string Configurazione::historyFileName() const { return {}; }

}  // namespace brezzolo
