#include "app/settings_dialog_presenter.h"

#include <algorithm>
#include <utility>

#include "app/messages.h"

namespace brezzolo {

const SettingsDialogTexts& setupParametriTexts() {
    static const SettingsDialogTexts texts{
        .name = "Setup_Parametri",
        .caption = "Setup Parametri",
        .Label1 = "Configurazione stringa APRS",
        .options = {"Invia previsione meteo", "Invia situazione locale",
                    "Non inviare condizioni meteo"},
        .line = ConfigLine::ReportMode,
    };
    return texts;
}

const SettingsDialogTexts& setupPressioneTexts() {
    static const SettingsDialogTexts texts{
        .name = "Setup_Pressione",
        .caption = "Setup Pressione",
        .Label1 = "Selezione Tipo Pressione",
        .options = {"Pressione Assoluta", "Pressione Relativa"},
        .line = ConfigLine::PressureType,
    };
    return texts;
}

SettingsDialogPresenter::SettingsDialogPresenter(const SettingsDialogTexts& texts, Shell& shell,
                                                 std::string configPath)
    : texts_(texts), shell_(shell), configPath_(std::move(configPath)) {
    model_.Options.assign(texts_.options.size(), false);
}

void SettingsDialogPresenter::show() {
    if (!loaded_) {
        load();
    }
    model_.Visible = true;
}

void SettingsDialogPresenter::load() {
    loaded_ = true;
    const auto lines = readConfig(configPath_);
    const std::string stored = lines ? (*lines)[texts_.line] : "";
    std::size_t marked = 1;  // an invalid value shows, and is stored, as "1"
    for (std::size_t n = 1; n <= model_.Options.size(); ++n) {
        if (stored == std::to_string(n)) {
            marked = n;
        }
    }
    optionClicked(marked);
    if (stored != std::to_string(marked) && !replaceConfigLine(texts_.line, "1", configPath_)) {
        shell_.showMessage(warning(kConfigNotSavedMessage));
    }
}

void SettingsDialogPresenter::optionClicked(std::size_t number) {
    for (std::size_t n = 1; n <= model_.Options.size(); ++n) {
        model_.Options[n - 1] = n == number;
    }
}

std::string SettingsDialogPresenter::chosenValue() const {
    const auto marked = std::count(model_.Options.begin(), model_.Options.end(), true);
    const auto first = std::find(model_.Options.begin(), model_.Options.end(), true);
    if (marked != 1) {
        return "1";
    }
    return std::to_string(first - model_.Options.begin() + 1);
}

void SettingsDialogPresenter::okClicked() {
    if (!replaceConfigLine(texts_.line, chosenValue(), configPath_)) {
        // Stays open with the choice, so the user can try again or cancel.
        shell_.showMessage(warning(kConfigNotSavedMessage));
        return;
    }
    model_.Visible = false;
}

void SettingsDialogPresenter::cancelClicked() {
    // Nothing stored; the selection stays as the user left it for the next showing.
    model_.Visible = false;
}

}  // namespace brezzolo
