#pragma once

#include <QDialog>
#include <functional>

#include "app/station_dialog_presenter.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace brezzolo {

// "Stazione" on Qt: the source (Heavy Weather's files or the serial cable), the port as an
// editable list of the system's ports, the poll seconds, the reading on demand with its
// outcome, and "OK", "Annulla" over the dialog's presenter. Modeless; the main window creates
// it at its first showing and shows the presenter's model after every event.
class StationDialog : public QDialog {
    Q_OBJECT

  public:
    // `refresh` shows every window's model after an event of this dialog.
    StationDialog(QWidget* parent, StationDialogPresenter& presenter,
                  std::function<void()> refresh);

    void showModel();

    // The frame and Escape hide the dialog like "Annulla".
    void reject() override;

  private:
    template <typename Handler>
    void forward(Handler&& handler);

    StationDialogPresenter& presenter_;
    std::function<void()> refresh_;
    QRadioButton* files_ = nullptr;
    QRadioButton* serial_ = nullptr;
    QComboBox* port_ = nullptr;
    QLineEdit* poll_ = nullptr;
    QLabel* readResult_ = nullptr;
    QPushButton* read_ = nullptr;
};

}  // namespace brezzolo
