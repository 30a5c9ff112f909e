#pragma once

#include <QDialog>
#include <string>

#include "config/config_file.h"

namespace brezzolo {

// "Setup Parametri": which weather comment the APRS report carries (line 1 of config.brz).
// Modeless; loaded at its first showing, hidden between uses.
class Setup_Parametri : public QDialog {
    Q_OBJECT

public:
    explicit Setup_Parametri(QWidget* parent = nullptr, std::string configPath = kConfigFileName);
};

// "Setup Pressione": absolute or relative pressure in the report (line 2 of config.brz).
class Setup_Pressione : public QDialog {
    Q_OBJECT

public:
    explicit Setup_Pressione(QWidget* parent = nullptr, std::string configPath = kConfigFileName);
};

}  // namespace brezzolo
