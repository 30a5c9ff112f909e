#pragma once

#include <QDialog>
#include <functional>

namespace brezzolo {

class Shell;

// The About box "frmAbout" on Qt: the texts of the core's About box, the icon and the two
// buttons. "OK", Enter and Escape report `closed`; the main window then unloads the box.
class frmAbout : public QDialog {
    Q_OBJECT

  public:
    frmAbout(QWidget* parent, Shell& shell, std::function<void()> closed);

    void reject() override;

  private:
    Shell& shell_;
    std::function<void()> closed_;
};

}  // namespace brezzolo
