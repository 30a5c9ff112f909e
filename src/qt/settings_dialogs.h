#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "app/settings_dialog_presenter.h"

class QRadioButton;

namespace brezzolo {

// "Setup Parametri" and "Setup Pressione" on Qt: the heading, the options, "OK" and
// "Annulla" over a settings dialog's presenter. Modeless; the main window creates it at its
// first showing and shows the presenter's model after every event.
class SettingsDialog : public QDialog {
    Q_OBJECT

  public:
    // `refresh` shows every window's model after an event of this dialog.
    SettingsDialog(QWidget* parent, SettingsDialogPresenter& presenter,
                   std::function<void()> refresh);

    void showModel();

    // The frame and Escape hide the dialog like "Annulla".
    void reject() override;

  private:
    SettingsDialogPresenter& presenter_;
    std::function<void()> refresh_;
    std::vector<QRadioButton*> options_;
};

}  // namespace brezzolo
