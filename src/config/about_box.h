#pragma once

#include <QDialog>

namespace brezzolo {

// "Informazioni su Brezzolo 1.9.2": title, version, description, notice and System Info.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);
};

}  // namespace brezzolo
