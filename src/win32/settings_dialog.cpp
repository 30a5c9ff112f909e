#include "win32/settings_dialog.h"

#include <algorithm>
#include <utility>

#include "win32/controls.h"
#include "win32/text.h"

namespace brezzolo::win32 {
namespace {

constexpr int kMargin = 12;

}  // namespace

SettingsDialog::SettingsDialog(HWND owner, SettingsDialogPresenter& presenter,
                               std::function<void()> refresh)
    : presenter_(presenter), refresh_(std::move(refresh)) {
    const SettingsDialogTexts& texts = presenter_.texts();
    const Fonts& f = fonts();
    const int button = std::max(80, textWidth(f.normal, wide(kCancelButtonText)) + 24);
    int width = 2 * button + 8;
    width = std::max(width, textWidth(f.normal, wide(texts.Label1)));
    for (const std::string_view option : texts.options) {
        width = std::max(width, textWidth(f.normal, wide(option)) + 30);
    }
    width = std::max(width + 2 * kMargin, 18 * f.line);
    create(kSettingsDialogClass, texts.caption, WS_CAPTION | WS_SYSMENU, WS_EX_CONTROLPARENT,
           {width, 100}, owner);

    int y = kMargin;
    place(makeLabel(Label1, texts.Label1), kMargin, y, width - 2 * kMargin, f.line);
    y += f.line + 6;
    for (std::size_t n = 0; n < texts.options.size(); ++n) {
        // Marked by the model, not by the button itself: BS_RADIOBUTTON, not BS_AUTORADIOBUTTON.
        const DWORD style = BS_RADIOBUTTON | (n == 0 ? WS_TABSTOP | WS_GROUP : 0);
        place(child(L"BUTTON", Option1 + static_cast<int>(n), style, texts.options[n]), kMargin + 8,
              y, width - 2 * kMargin - 8, f.line + 2);
        y += f.line + 4;
    }
    y += 10;
    const int buttonHeight = f.line + 8;
    place(child(L"BUTTON", OKButton, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, kOkButtonText),
          width - kMargin - 2 * button - 8, y, button, buttonHeight);
    place(child(L"BUTTON", CancelButton, BS_PUSHBUTTON | WS_TABSTOP, kCancelButtonText),
          width - kMargin - button, y, button, buttonHeight);
    setClientSize({width, y + buttonHeight + kMargin});
}

template <typename Handler>
void SettingsDialog::forward(Handler&& handler) {
    handler(presenter_);
    refresh_();
}

LRESULT SettingsDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    using P = SettingsDialogPresenter;
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id >= Option1 &&
                id < Option1 + static_cast<int>(presenter_.texts().options.size())) {
                const auto number = static_cast<std::size_t>(id - Option1 + 1);
                forward([number](P& p) { p.optionClicked(number); });
            } else if (id == OKButton || id == IDOK) {
                forward([](P& p) { p.okClicked(); });
            } else if (id == CancelButton || id == IDCANCEL) {
                forward([](P& p) { p.cancelClicked(); });
            }
            return 0;
        }
        case WM_CLOSE:
            // The frame hides the dialog like "Annulla".
            forward([](P& p) { p.cancelClicked(); });
            return 0;
        default:
            return Window::handle(message, wParam, lParam);
    }
}

void SettingsDialog::showModel() {
    const SettingsDialogModel& model = presenter_.model();
    for (std::size_t i = 0; i < model.Options.size(); ++i) {
        const HWND option = item(Option1 + static_cast<int>(i));
        const WPARAM state = model.Options[i] ? BST_CHECKED : BST_UNCHECKED;
        if (static_cast<WPARAM>(SendMessageW(option, BM_GETCHECK, 0, 0)) != state) {
            SendMessageW(option, BM_SETCHECK, state, 0);
        }
    }
    showAs(model.Visible);
}

}  // namespace brezzolo::win32
