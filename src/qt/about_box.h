#pragma once

#include <QDialog>

namespace brezzolo {

// Shown by "System Info..." when the system information viewer cannot be found or started.
inline constexpr const char* kSysInfoUnavailableMessage =
    "Le informazioni sul sistema non sono attualmente disponibili.";

// "Informazioni su Brezzolo 1.9.2": title, version, description, notice and System Info.
// "OK" (Enter) and Escape close it and it deletes itself; the next opening builds a new one.
class frmAbout : public QDialog {
    Q_OBJECT

  public:
    explicit frmAbout(QWidget* parent = nullptr);

  private:
    // StartSysInfo: the viewer, or the message that it is unavailable.
    void startSysInfo();
};

}  // namespace brezzolo
