#include "win32/station_dialog.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "win32/controls.h"
#include "win32/text.h"

namespace brezzolo::win32 {
namespace {

constexpr int kMargin = 12;
constexpr int kGap = 8;
// The drop-down list shows this many ports before it scrolls.
constexpr int kListedPorts = 8;

void showCheck(HWND button, bool checked) {
    const WPARAM state = checked ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageW(button, BM_GETCHECK, 0, 0)) != state) {
        SendMessageW(button, BM_SETCHECK, state, 0);
    }
}

std::wstring listEntry(HWND combo, WPARAM index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) {
        return {};
    }
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length));
    return entry;
}

}  // namespace

StationDialog::StationDialog(HWND owner, StationDialogPresenter& presenter,
                             std::function<void()> refresh)
    : presenter_(presenter), refresh_(std::move(refresh)) {
    namespace texts = stationDialogTexts;
    const Fonts& f = fonts();
    const int labels = std::max(textWidth(f.normal, wide(texts::lblPort)),
                                textWidth(f.normal, wide(texts::lblPoll)));
    const int width =
        std::max({labels + kGap + 15 * f.line, textWidth(f.bold, wide(texts::lblHeading)),
                  buttonRowWidth(texts::cmdRead, texts::cmdCancel)});
    create(kStationDialogClass, texts::caption, WS_CAPTION | WS_SYSMENU, WS_EX_CONTROLPARENT,
           {width + 2 * kMargin, 100}, owner);

    int y = kMargin;
    place(makeLabel(lblHeading, texts::lblHeading, f.bold), kMargin, y, width, f.line);
    y += f.line + kGap;
    // Marked by the model, not by the buttons themselves: BS_RADIOBUTTON, not BS_AUTORADIOBUTTON.
    place(child(L"BUTTON", optFiles, BS_RADIOBUTTON | WS_TABSTOP | WS_GROUP, texts::optFiles),
          kMargin, y, width, f.line + 2);
    y += f.line + 4;
    place(child(L"BUTTON", optSerial, BS_RADIOBUTTON, texts::optSerial), kMargin, y, width,
          f.line + 2);
    y += f.line + 2 + kGap;

    const int editHeight = f.line + 6;
    const int fieldX = kMargin + labels + kGap;
    place(makeLabel(lblPort, texts::lblPort), kMargin, y + 3, labels, f.line);
    // The height of a drop-down combo box includes its open list.
    place(child(L"COMBOBOX", cboPort,
                CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP),
          fieldX, y, width - labels - kGap, editHeight + kListedPorts * f.line);
    y += editHeight + 4;
    place(makeLabel(lblPoll, texts::lblPoll), kMargin, y + 3, labels, f.line);
    place(child(L"EDIT", txtPoll, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, {}, WS_EX_CLIENTEDGE),
          fieldX, y, 6 * f.line, editHeight);
    y += editHeight + kGap;
    // Room for a long failure in two lines.
    place(child(L"STATIC", lblReadResult, SS_LEFT | SS_NOPREFIX), kMargin, y, width, 2 * f.line);
    y += 2 * f.line + kGap;

    placeButtonRow(cmdRead, texts::cmdRead, texts::cmdOK, texts::cmdCancel, kMargin, y, width);
}

template <typename Handler>
void StationDialog::forward(Handler&& handler) {
    handler(presenter_);
    refresh_();
}

LRESULT StationDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            // The frame hides the dialog like "Annulla".
            forward([](StationDialogPresenter& p) { p.cancelClicked(); });
            return 0;
        default:
            return Window::handle(message, wParam, lParam);
    }
}

void StationDialog::command(int id, int code) {
    using P = StationDialogPresenter;
    if (showing_) {
        return;  // the texts showModel() puts in are no new change
    }
    if (id == cboPort) {
        if (code == CBN_EDITCHANGE) {
            const std::string text = utf8(windowText(item(cboPort)));
            forward([&](P& p) { p.portEdited(text); });
        } else if (code == CBN_SELCHANGE) {
            // The edit part takes the chosen entry only after this notification.
            const LRESULT chosen = SendMessageW(item(cboPort), CB_GETCURSEL, 0, 0);
            if (chosen != CB_ERR) {
                const std::string text =
                    utf8(listEntry(item(cboPort), static_cast<WPARAM>(chosen)));
                forward([&](P& p) { p.portEdited(text); });
            }
        }
        return;
    }
    if (id == txtPoll) {
        if (code == EN_CHANGE) {
            const std::string text = utf8(windowText(item(txtPoll)));
            forward([&](P& p) { p.pollEdited(text); });
        }
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case optFiles:
            forward([](P& p) { p.sourceChosen(StationSource::Files); });
            break;
        case optSerial:
            forward([](P& p) { p.sourceChosen(StationSource::Serial); });
            break;
        case cmdRead:
            forward([](P& p) { p.readClicked(); });
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

void StationDialog::showPortList() {
    const HWND combo = item(cboPort);
    const std::vector<std::string>& ports = presenter_.model().cboPortList;
    bool same = static_cast<std::size_t>(SendMessageW(combo, CB_GETCOUNT, 0, 0)) == ports.size();
    for (std::size_t i = 0; same && i < ports.size(); ++i) {
        same = listEntry(combo, i) == wide(ports[i]);
    }
    if (same) {
        return;
    }
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& port : ports) {
        const std::wstring entry = wide(port);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

void StationDialog::showModel() {
    showing_ = true;
    const StationDialogModel& model = presenter_.model();
    showCheck(item(optFiles), !model.optSerial);
    showCheck(item(optSerial), model.optSerial);
    showPortList();
    showText(item(cboPort), model.cboPort);
    showText(item(txtPoll), model.txtPoll);
    showText(item(lblReadResult), model.lblReadResult);
    const HWND read = item(cmdRead);
    if ((IsWindowEnabled(read) != FALSE) != model.cmdReadEnabled) {
        if (!model.cmdReadEnabled && GetFocus() == read) {
            SetFocus(item(cmdOK));  // a disabled button keeps no focus
        }
        EnableWindow(read, model.cmdReadEnabled ? TRUE : FALSE);
    }
    showAs(model.Visible);
    showing_ = false;
}

}  // namespace brezzolo::win32
