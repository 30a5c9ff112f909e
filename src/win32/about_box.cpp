#include "win32/about_box.h"

#include <algorithm>
#include <utility>

#include "app/about_box.h"
#include "win32/controls.h"
#include "win32/resource.h"
#include "win32/text.h"

namespace brezzolo::win32 {
namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 48;

}  // namespace

AboutBox::AboutBox(HWND owner, Shell& shell, std::function<void()> closed)
    : shell_(shell), closed_(std::move(closed)) {
    const AboutBoxTexts texts = aboutBoxTexts();
    const Fonts& f = fonts();
    const int description = 25 * f.line;
    const int button = std::max(100, textWidth(f.normal, wide(texts.cmdSysInfo)) + 24);
    const int buttonHeight = f.line + 8;
    const int width = kMargin + kIconSize + 12 + description + kMargin;
    // The disclaimer wraps left of the buttons, whatever their text's width.
    const int disclaimer = width - 2 * kMargin - button - 12;
    create(kAboutBoxClass, texts.caption, WS_CAPTION | WS_SYSMENU, WS_EX_CONTROLPARENT,
           {width, 200}, owner);

    icon_ = static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(IDI_BREZZOLO), IMAGE_ICON,
                                          scaled(kIconSize), scaled(kIconSize), 0));
    const HWND picture = child(L"STATIC", picIcon, SS_ICON | SS_REALSIZEIMAGE);
    SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    place(picture, kMargin, kMargin, kIconSize, kIconSize);

    const int column = kMargin + kIconSize + 12;
    int y = kMargin;
    place(makeLabel(lblTitle, texts.lblTitle, f.large), column, y, description,
          lineHeight(f.large));
    y += lineHeight(f.large);
    place(makeLabel(lblVersion, texts.lblVersion), column, y, description, f.line);
    y += f.line + 8;
    const auto wrapped = [&](int id, const std::string& text, int x, int top, int w) {
        const int height = wrappedHeight(f.normal, wide(text), w);
        place(child(L"STATIC", id, SS_LEFT | SS_NOPREFIX, text), x, top, w, height);
        return height;
    };
    y += wrapped(lblDescription, texts.lblDescription, column, y, description) + 10;
    y = std::max(y, kMargin + kIconSize + 10);
    place(child(L"STATIC", Line1, SS_ETCHEDHORZ), kMargin, y, width - 2 * kMargin, 2);
    y += 12;
    const int text = wrapped(lblDisclaimer, texts.lblDisclaimer, kMargin, y, disclaimer);
    const int buttons = width - kMargin - button;
    place(child(L"BUTTON", cmdOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, texts.cmdOK), buttons,
          y, button, buttonHeight);
    place(child(L"BUTTON", cmdSysInfo, BS_PUSHBUTTON | WS_TABSTOP, texts.cmdSysInfo), buttons,
          y + buttonHeight + 6, button, buttonHeight);
    y += std::max(text, 2 * buttonHeight + 6) + kMargin;
    setClientSize({width, y});
}

AboutBox::~AboutBox() {
    if (icon_ != nullptr) {
        DestroyIcon(icon_);
    }
}

LRESULT AboutBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case cmdSysInfo:
                    startSystemInformation(shell_);
                    break;
                case cmdOK:
                case IDOK:
                case IDCANCEL:
                    closed_();
                    break;
                default:
                    break;
            }
            return 0;
        case WM_CLOSE:
            closed_();
            return 0;
        default:
            return Window::handle(message, wParam, lParam);
    }
}

}  // namespace brezzolo::win32
