#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "app/folder_dialog_presenter.h"

class QLineEdit;
class QListWidget;

namespace brezzolo {

class Brezzolo;
class FolderPicker;

// "Configurazione File" on Qt: the drive, folder and file lists and the three fields, over
// the folder dialog's presenter, which the main window owns.
class Configurazione : public QDialog {
    Q_OBJECT

  public:
    Configurazione(Brezzolo* mainWindow, FolderDialogPresenter& presenter);
    ~Configurazione() override;

    // Shows the presenter's model: the fields, the lists and whether the dialog is open.
    void showModel();

  protected:
    // Closing through the frame: the presenter decides (on a first run the program ends).
    void closeEvent(QCloseEvent* event) override;
    // Escape does nothing: the dialog has no cancel button.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    template <typename Handler>
    void forward(Handler&& handler);

    Brezzolo* main_;
    FolderDialogPresenter& presenter_;
    QLineEdit* text1_;
    QLineEdit* text2_;
    QLineEdit* text3_;
    QListWidget* file1_;
    std::unique_ptr<FolderPicker> group1_;
    std::unique_ptr<FolderPicker> group2_;
    // What the lists show now, so that they are refilled only when it changes.
    std::string shownDir1_, shownDir2_;
    std::vector<std::string> shownFiles_;
};

}  // namespace brezzolo
