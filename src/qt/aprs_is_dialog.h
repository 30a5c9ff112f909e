#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "app/aprs_is_dialog_presenter.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brezzolo {

// "Setup APRS-IS / CWOP" on Qt: the switch, the seven fields with their labels, the connection
// test's answer, and "OK", "Annulla" and "Prova connessione" over the dialog's presenter.
// Modeless; the main window creates it at its first showing and shows the presenter's model
// after every event.
class AprsIsDialog : public QDialog {
    Q_OBJECT

  public:
    // `refresh` shows every window's model after an event of this dialog.
    AprsIsDialog(QWidget* parent, AprsIsDialogPresenter& presenter, std::function<void()> refresh);

    void showModel();

    // The frame and Escape hide the dialog like "Annulla".
    void reject() override;

  private:
    template <typename Handler>
    void forward(Handler&& handler);

    AprsIsDialogPresenter& presenter_;
    std::function<void()> refresh_;
    QCheckBox* enabled_ = nullptr;
    std::vector<QLineEdit*> fields_;  // in the order of aprsIsDialogFields()
    QLabel* testResult_ = nullptr;
    QPushButton* test_ = nullptr;
};

}  // namespace brezzolo
