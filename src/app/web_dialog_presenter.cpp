#include "app/web_dialog_presenter.h"

#include <utility>

#include "app/messages.h"
#include "common/paths.h"
#include "common/settings_file.h"
#include "common/text_file.h"
#include "web/web_page.h"
#include "web/web_settings.h"

namespace brezzolo {
namespace {

// The text as the file's reader takes it: without blanks around it.
std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

WebDialogPresenter::WebDialogPresenter(Shell& shell, const std::string& configPath,
                                       std::function<bool(const std::string&)> openPage)
    : shell_(shell),
      settingsPath_(besideConfigFile(configPath, kWebSettingsFileName)),
      openPage_(std::move(openPage)) {}

void WebDialogPresenter::show() {
    if (!model_.Visible) {
        const auto check = readWebSettings(settingsPath_);
        model_.chkEnabled = check && check->settings.enabled;
        model_.txtFolder = check ? check->settings.folder : "";
    }
    model_.Visible = true;
}

void WebDialogPresenter::enabledClicked(bool on) {
    model_.chkEnabled = on;
}

void WebDialogPresenter::folderEdited(const std::string& text) {
    model_.txtFolder = text;
}

void WebDialogPresenter::okClicked() {
    const WebSettings settings{model_.chkEnabled, trimmed(model_.txtFolder)};
    if (!fileExists(settingsPath_) && settings == WebSettings{}) {
        model_.Visible = false;  // nothing to store: no file already means off
        return;
    }
    if (settings.enabled) {
        if (const auto problem = webFolderProblem(settings.folder)) {
            shell_.showMessage(
                warning((std::string(kWebNotSavedHeading) + "\n" + *problem).c_str()));
            return;
        }
    }
    if (!writeWebSettings(settings, settingsPath_)) {
        shell_.showMessage(warning(kWebNotWrittenMessage));
        return;
    }
    model_.Visible = false;
}

void WebDialogPresenter::cancelClicked() {
    model_.Visible = false;
}

void WebDialogPresenter::openClicked() {
    const auto page = joinPath(trimmed(model_.txtFolder), kWebPageFileName);
    if (!page || !fileExists(*page)) {
        shell_.showMessage(warning(kWebPageMissingMessage));
        return;
    }
    if (!openPage_ || !openPage_(*page)) {
        shell_.showMessage(warning(kBrowserNotStartedMessage));
    }
}

}  // namespace brezzolo
