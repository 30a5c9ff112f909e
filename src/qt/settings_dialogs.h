#pragma once

#include <QDialog>
#include <initializer_list>
#include <string>
#include <vector>

#include "config/config_file.h"

class QRadioButton;

namespace brezzolo {

// A small modeless dialog that stores one line of config.brz, chosen among exclusive options
// Option1, Option2, ... whose stored values are "1", "2", ... It loads in its constructor (the
// owner creates it at its first showing), repairing a stored value that is not one of its own
// to "1" at once; "OK" stores the choice (the other five lines unchanged) and hides it;
// "Annulla" hides it without storing and keeps the selection for the next showing.
class OptionLineDialog : public QDialog {
    Q_OBJECT

  public:
    // The value the options give now: the number of the one marked option, "1" otherwise.
    std::string chosenValue() const;

  protected:
    OptionLineDialog(QWidget* parent, std::string configPath, int configLine, const char* caption,
                     const char* heading, std::initializer_list<const char*> optionTexts);

  private:
    void markStoredValue();
    void okClicked();

    std::string configPath_;
    int configLine_;
    std::vector<QRadioButton*> options_;
};

// "Setup Parametri": which weather comment the APRS report carries (line 1 of config.brz).
// Modeless; loaded at its first showing, hidden between uses.
class Setup_Parametri : public OptionLineDialog {
    Q_OBJECT

  public:
    explicit Setup_Parametri(QWidget* parent = nullptr, std::string configPath = kConfigFileName);
};

// "Setup Pressione": absolute or relative pressure in the report (line 2 of config.brz).
class Setup_Pressione : public OptionLineDialog {
    Q_OBJECT

  public:
    explicit Setup_Pressione(QWidget* parent = nullptr, std::string configPath = kConfigFileName);
};

}  // namespace brezzolo
