#pragma once

#include <QDialog>
#include <functional>

#include "app/web_dialog_presenter.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace brezzolo {

// "Pagina web" on Qt: the switch, the folder with "Sfoglia...", the last cycle's outcome, and
// "Apri nel browser", "OK" and "Annulla" over the dialog's presenter. Modeless; the main
// window creates it at its first showing and shows the presenter's model after every event.
class WebDialog : public QDialog {
    Q_OBJECT

  public:
    WebDialog(QWidget* parent, WebDialogPresenter& presenter, std::function<void()> refresh);

    void showModel();
    // The frame and Escape hide the dialog like "Annulla".
    void reject() override;

  private:
    template <typename Handler>
    void forward(Handler&& handler);

    WebDialogPresenter& presenter_;
    std::function<void()> refresh_;
    QCheckBox* enabled_ = nullptr;
    QLineEdit* folder_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace brezzolo
