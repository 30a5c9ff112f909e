#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "app/radio_dialog_presenter.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace brezzolo {

// "Radio / TNC" on Qt: the switch, the station's identity, the choice of TNC and its fields,
// the check's answer, and "OK", "Annulla" and "Prova TNC" over the dialog's presenter.
// Modeless; the main window creates it at its first showing.
class RadioDialog : public QDialog {
    Q_OBJECT

  public:
    RadioDialog(QWidget* parent, RadioDialogPresenter& presenter, std::function<void()> refresh);

    void showModel();
    void reject() override;

  private:
    template <typename Handler>
    void forward(Handler&& handler);

    RadioDialogPresenter& presenter_;
    std::function<void()> refresh_;
    QCheckBox* enabled_ = nullptr;
    QRadioButton* tcp_ = nullptr;
    QRadioButton* serial_ = nullptr;
    std::vector<QLineEdit*> fields_;  // in the order of radioDialogFields()
    QLabel* testResult_ = nullptr;
    QPushButton* test_ = nullptr;
};

}  // namespace brezzolo
