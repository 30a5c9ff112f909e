#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/shell.h"
#include "config/config_file.h"

namespace brezzolo {

// A settings dialog that stores one line of config.brz, chosen among exclusive options
// Option1, Option2, ... whose stored values are "1", "2", ...
struct SettingsDialogTexts {
    std::string_view name;     // the window's name
    std::string_view caption;  // its title
    std::string_view Label1;   // the heading
    std::vector<std::string_view> options;
    ConfigLine line;
};

// "Setup Parametri": which weather comment the report carries.
const SettingsDialogTexts& setupParametriTexts();
// "Setup Pressione": absolute or relative pressure in the report.
const SettingsDialogTexts& setupPressioneTexts();

// The OK and Annulla buttons of both dialogs.
inline constexpr std::string_view kOkButtonText = "OK";
inline constexpr std::string_view kCancelButtonText = "Annulla";

struct SettingsDialogModel {
    bool Visible = false;
    std::vector<bool> Options;  // marked or not, Option1 first
};

// The dialog loads at its first showing and then stays loaded, hidden between uses: the
// loading marks the stored value, and repairs a value that is not one of its own to "1" at
// once. "OK" stores the choice (the other five lines unchanged) and hides the dialog;
// "Annulla" hides it without storing and keeps the selection for the next showing.
class SettingsDialogPresenter {
  public:
    SettingsDialogPresenter(const SettingsDialogTexts& texts, Shell& shell, std::string configPath);

    const SettingsDialogTexts& texts() const { return texts_; }
    const SettingsDialogModel& model() const { return model_; }
    bool loaded() const { return loaded_; }

    // The menu item: loads the dialog at its first showing and makes it visible.
    void show();
    // Option<n> clicked (n from 1): marks it and unmarks the others.
    void optionClicked(std::size_t number);
    void okClicked();
    void cancelClicked();

    // The value the options give now: the number of the one marked option, "1" otherwise.
    std::string chosenValue() const;

  private:
    void load();

    const SettingsDialogTexts& texts_;
    Shell& shell_;
    std::string configPath_;
    SettingsDialogModel model_;
    bool loaded_ = false;
};

}  // namespace brezzolo
