#include "win32/web_dialog.h"

#include <algorithm>
#include <utility>

#include "win32/controls.h"
#include "win32/text.h"

namespace brezzolo::win32 {
namespace {

constexpr int kMargin = 12;
constexpr int kGap = 8;

}  // namespace

WebDialog::WebDialog(HWND owner, WebDialogPresenter& presenter, std::function<void()> refresh)
    : presenter_(presenter), refresh_(std::move(refresh)) {
    namespace texts = webDialogTexts;
    const Fonts& f = fonts();
    const int width = std::max({30 * f.line, textWidth(f.bold, wide(texts::lblHeading)),
                                buttonRowWidth(texts::cmdOpen, texts::cmdCancel)});
    create(kWebDialogClass, texts::caption, WS_CAPTION | WS_SYSMENU, WS_EX_CONTROLPARENT,
           {width + 2 * kMargin, 100}, owner);

    int y = kMargin;
    place(makeLabel(lblHeading, texts::lblHeading, f.bold), kMargin, y, width, f.line);
    y += f.line + 4;
    const int hintHeight = wrappedHeight(f.normal, wide(texts::lblHint), width);
    place(child(L"STATIC", lblHint, SS_LEFT | SS_NOPREFIX, texts::lblHint), kMargin, y, width,
          hintHeight);
    y += hintHeight + kGap;
    // Marked by the model, not by the button itself: BS_CHECKBOX, not BS_AUTOCHECKBOX.
    place(child(L"BUTTON", chkEnabled, BS_CHECKBOX | WS_TABSTOP | WS_GROUP, texts::chkEnabled),
          kMargin, y, width, f.line + 2);
    y += f.line + 2 + kGap;
    place(makeLabel(lblFolder, texts::lblFolder), kMargin, y, width, f.line);
    y += f.line + 2;
    const int editHeight = f.line + 6;
    place(child(L"EDIT", txtFolder, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, {}, WS_EX_CLIENTEDGE),
          kMargin, y, width, editHeight);
    y += editHeight + kGap;
    place(child(L"STATIC", lblStatus, SS_LEFT | SS_NOPREFIX), kMargin, y, width, 2 * f.line);
    y += 2 * f.line + kGap;

    placeButtonRow(cmdOpen, texts::cmdOpen, texts::cmdOK, texts::cmdCancel, kMargin, y, width);
}

template <typename Handler>
void WebDialog::forward(Handler&& handler) {
    handler(presenter_);
    refresh_();
}

LRESULT WebDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            // The frame hides the dialog like "Annulla".
            forward([](WebDialogPresenter& p) { p.cancelClicked(); });
            return 0;
        default:
            return Window::handle(message, wParam, lParam);
    }
}

void WebDialog::command(int id, int code) {
    using P = WebDialogPresenter;
    if (id == txtFolder) {
        // Typed, pasted or cut; the text showModel() puts back is no new change.
        if (code == EN_CHANGE && !showing_) {
            const std::string text = utf8(windowText(item(id)));
            forward([&](P& p) { p.folderEdited(text); });
        }
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case chkEnabled:
            forward([](P& p) { p.enabledClicked(!p.model().chkEnabled); });
            break;
        case cmdOpen:
            forward([](P& p) { p.openClicked(); });
            break;
        case cmdOK:
        case IDOK:  // Enter
            forward([](P& p) { p.okClicked(); });
            break;
        case cmdCancel:
        case IDCANCEL:  // Escape
            forward([](P& p) { p.cancelClicked(); });
            break;
        default:
            break;
    }
}

void WebDialog::showModel() {
    showing_ = true;
    const WebDialogModel& model = presenter_.model();
    const HWND enabled = item(chkEnabled);
    const WPARAM state = model.chkEnabled ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageW(enabled, BM_GETCHECK, 0, 0)) != state) {
        SendMessageW(enabled, BM_SETCHECK, state, 0);
    }
    showText(item(txtFolder), model.txtFolder);
    showText(item(lblStatus), model.lblStatus);
    showAs(model.Visible);
    showing_ = false;
}

}  // namespace brezzolo::win32
