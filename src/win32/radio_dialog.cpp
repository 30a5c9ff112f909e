#include "win32/radio_dialog.h"

#include <algorithm>
#include <utility>

#include "win32/controls.h"
#include "win32/text.h"

namespace brezzolo::win32 {
namespace {

constexpr int kMargin = 12;
constexpr int kGap = 8;

// A field's edit control and its label, by the field's place in radioDialogFields().
int fieldId(RadioField field) {
    return txtRadioFields + static_cast<int>(field);
}

int labelId(RadioField field) {
    return lblRadioFields + static_cast<int>(field);
}

}  // namespace

RadioDialog::RadioDialog(HWND owner, RadioDialogPresenter& presenter, std::function<void()> refresh)
    : presenter_(presenter), refresh_(std::move(refresh)) {
    namespace texts = radioDialogTexts;
    const Fonts& f = fonts();
    int labels = 0;
    for (const RadioFieldTexts& field : radioDialogFields()) {
        labels = std::max(labels, textWidth(f.normal, wide(field.label)));
    }
    int width = std::max({labels + kGap + 15 * f.line, textWidth(f.bold, wide(texts::lblHeading)),
                          buttonRowWidth(texts::cmdTest, texts::cmdCancel)});
    create(kRadioDialogClass, texts::caption, WS_CAPTION | WS_SYSMENU, WS_EX_CONTROLPARENT,
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

    const int editHeight = f.line + 6;
    for (const RadioFieldTexts& field : radioDialogFields()) {
        if (field.field == RadioField::Address) {
            // The choice of TNC between the identity and the TNC's own fields.
            const int half = width / 2;
            place(child(L"BUTTON", optTcp, BS_RADIOBUTTON | WS_TABSTOP | WS_GROUP, texts::optTcp),
                  kMargin, y, half, f.line + 2);
            place(child(L"BUTTON", optSerial, BS_RADIOBUTTON, texts::optSerial), kMargin + half, y,
                  width - half, f.line + 2);
            y += f.line + 2 + kGap;
        }
        place(makeLabel(labelId(field.field), field.label), kMargin, y + 3, labels, f.line);
        place(child(L"EDIT", fieldId(field.field), ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, {},
                    WS_EX_CLIENTEDGE),
              kMargin + labels + kGap, y, width - labels - kGap, editHeight);
        y += editHeight + 4;
    }
    // Room for the longest answers in two lines.
    y += 4;
    place(child(L"STATIC", lblTestResult, SS_LEFT | SS_NOPREFIX), kMargin, y, width, 2 * f.line);
    y += 2 * f.line + kGap;

    placeButtonRow(cmdTest, texts::cmdTest, texts::cmdOK, texts::cmdCancel, kMargin, y, width);
}

template <typename Handler>
void RadioDialog::forward(Handler&& handler) {
    handler(presenter_);
    refresh_();
}

LRESULT RadioDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            // The frame hides the dialog like "Annulla".
            forward([](RadioDialogPresenter& p) { p.cancelClicked(); });
            return 0;
        default:
            return Window::handle(message, wParam, lParam);
    }
}

void RadioDialog::command(int id, int code) {
    using P = RadioDialogPresenter;
    for (const RadioFieldTexts& field : radioDialogFields()) {
        if (id == fieldId(field.field)) {
            // Typed, pasted or cut; the texts showModel() puts back are no new change.
            if (code == EN_CHANGE && !showing_) {
                const std::string text = utf8(windowText(item(id)));
                forward([&](P& p) { p.fieldEdited(field.field, text); });
            }
            return;
        }
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case chkEnabled:
            forward([](P& p) { p.enabledClicked(!p.model().chkEnabled); });
            break;
        case optTcp:
            forward([](P& p) { p.kindClicked(TncKind::Tcp); });
            break;
        case optSerial:
            forward([](P& p) { p.kindClicked(TncKind::Serial); });
            break;
        case cmdTest:
            forward([](P& p) { p.testClicked(); });
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

void RadioDialog::showModel() {
    showing_ = true;
    const RadioDialogModel& model = presenter_.model();
    const HWND enabled = item(chkEnabled);
    const WPARAM state = model.chkEnabled ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageW(enabled, BM_GETCHECK, 0, 0)) != state) {
        SendMessageW(enabled, BM_SETCHECK, state, 0);
    }
    for (const auto& [id, on] :
         {std::pair{optTcp, model.optTcp}, std::pair{optSerial, model.optSerial}}) {
        SendMessageW(item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    for (const RadioFieldTexts& field : radioDialogFields()) {
        showText(item(fieldId(field.field)), model.*field.text);
    }
    showText(item(lblTestResult), model.lblTestResult);
    const HWND test = item(cmdTest);
    if ((IsWindowEnabled(test) != FALSE) != model.cmdTestEnabled) {
        if (!model.cmdTestEnabled && GetFocus() == test) {
            SetFocus(item(cmdOK));  // a disabled button keeps no focus
        }
        EnableWindow(test, model.cmdTestEnabled ? TRUE : FALSE);
    }
    showAs(model.Visible);
    showing_ = false;
}

}  // namespace brezzolo::win32
