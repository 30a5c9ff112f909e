#include "win32/folder_dialog.h"

#include <algorithm>
#include <utility>

#include "win32/controls.h"
#include "win32/text.h"

namespace brezzolo::win32 {
namespace {

namespace texts = folderDialogTexts;

constexpr int kMargin = 10;
constexpr int kFolderListLines = 7;
constexpr int kFileListLines = 4;

int dialogWidth() {
    return 28 * fonts().line;
}

}  // namespace

FolderDialog::FolderDialog(HWND owner, FolderDialogPresenter& presenter,
                           std::function<void()> refresh)
    : presenter_(presenter), refresh_(std::move(refresh)) {
    // Its own taskbar button: on a first run it is the only window shown.
    create(kFolderDialogClass, texts::caption, WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
           WS_EX_CONTROLPARENT | WS_EX_APPWINDOW, {dialogWidth(), 400}, owner);
    createControls();
    using P = FolderDialogPresenter;
    group1_ = std::make_unique<FolderList>(item(Drive1), item(Dir1), [this](const std::string& f) {
        forward([&](P& p) { p.heavyWeatherFolderChosen(f); });
    });
    group2_ = std::make_unique<FolderList>(item(Drive2), item(Dir2), [this](const std::string& f) {
        forward([&](P& p) { p.outputFolderChosen(f); });
    });
}

void FolderDialog::createControls() {
    const Fonts& f = fonts();
    const int width = dialogWidth() - 2 * kMargin;
    const int number = textWidth(f.normal, L"3)") + 8;
    const int edit = f.line + 6;
    int y = kMargin;
    const auto wrapped = [&](int id, std::string_view text, int x, int w) {
        const int height = wrappedHeight(f.normal, wide(text), w);
        place(child(L"STATIC", id, SS_LEFT | SS_NOPREFIX, text), x, y, w, height);
        return height;
    };
    y += wrapped(Label7, texts::Label7, kMargin, width) + 8;

    const auto group = [&](int numberId, std::string_view numberText, int headingId,
                           std::string_view heading) {
        place(makeLabel(numberId, numberText), kMargin, y, number, f.line);
        y += wrapped(headingId, heading, kMargin + number, width - number) + 4;
    };
    const auto folderGroup = [&](int drive, int dir, int text) {
        // A drop-down list's height includes its open list.
        place(child(L"COMBOBOX", drive, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP),
              kMargin, y, width, 12 * f.line);
        RECT box;
        GetWindowRect(item(drive), &box);
        y += unscaled(box.bottom - box.top) + 4;
        place(child(L"LISTBOX", dir,
                    LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP, {},
                    WS_EX_CLIENTEDGE),
              kMargin, y, width, kFolderListLines * (f.line - 2) + 4);
        y += kFolderListLines * (f.line - 2) + 8;
        place(child(L"EDIT", text, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, {}, WS_EX_CLIENTEDGE),
              kMargin, y, width, edit);
        y += edit + 10;
    };
    group(Label3, texts::Label3, Label1, texts::Label1);
    folderGroup(Drive1, Dir1, Text1);
    group(Label4, texts::Label4, Label2, texts::Label2);
    folderGroup(Drive2, Dir2, Text2);
    group(Label5, texts::Label5, Label6, texts::Label6);
    place(child(L"LISTBOX", File1,
                LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP, {},
                WS_EX_CLIENTEDGE),
          kMargin, y, width, kFileListLines * (f.line - 2) + 4);
    y += kFileListLines * (f.line - 2) + 8;
    place(child(L"EDIT", Text3, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, {}, WS_EX_CLIENTEDGE),
          kMargin, y, width, edit);
    y += edit + 10;
    // Enter in a field must not store the configuration behind the user's back: "ESCI" is
    // no default button.
    const int button = std::max(90, textWidth(f.normal, wide(texts::Command2)) + 24);
    place(child(L"BUTTON", Command2, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, texts::Command2),
          (dialogWidth() - button) / 2, y, button, f.line + 8);
    y += f.line + 8 + kMargin;
    setClientSize({dialogWidth(), y});
}

template <typename Handler>
void FolderDialog::forward(Handler&& handler) {
    handler(presenter_);
    refresh_();
}

LRESULT FolderDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            // The presenter decides: on a first run the program ends, otherwise it hides.
            forward([](FolderDialogPresenter& p) { p.frameClosed(); });
            return 0;
        default:
            return Window::handle(message, wParam, lParam);
    }
}

void FolderDialog::command(int id, int code) {
    using P = FolderDialogPresenter;
    switch (id) {
        case Drive1:
        case Drive2:
            if (code == CBN_SELCHANGE || code == CBN_CLOSEUP) {
                (id == Drive1 ? group1_ : group2_)->driveChosen();
            }
            break;
        case Dir1:
        case Dir2:
            if (code == LBN_SELCHANGE) {
                (id == Dir1 ? group1_ : group2_)->selectionChanged();
            } else if (code == LBN_DBLCLK) {
                (id == Dir1 ? group1_ : group2_)->openMarked();
            }
            break;
        case File1:
            if (code == LBN_SELCHANGE || code == LBN_DBLCLK) {
                const HWND list = item(File1);
                const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
                if (index != LB_ERR) {
                    std::wstring name(
                        static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)),
                        L'\0');
                    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name.data()));
                    forward([&](P& p) { p.historyFileClicked(utf8(name)); });
                }
            }
            break;
        case Text1:
        case Text2:
        case Text3:
            if (code == EN_CHANGE && !showing_) {
                const FolderField field = id == Text1   ? FolderField::Text1
                                          : id == Text2 ? FolderField::Text2
                                                        : FolderField::Text3;
                const std::string text = utf8(windowText(item(id)));
                forward([&](P& p) { p.fieldEdited(field, text); });
            }
            break;
        case Command2:
            forward([](P& p) { p.esciClicked(); });
            break;
        case IDOK: {
            // Enter opens the folder marked in a list; it never stores the configuration.
            const HWND focus = GetFocus();
            if (focus == item(Dir1)) {
                group1_->openMarked();
            } else if (focus == item(Dir2)) {
                group2_->openMarked();
            }
            break;
        }
        default:
            break;  // Escape does nothing: the dialog has no cancel button
    }
}

void FolderDialog::showModel() {
    showing_ = true;
    const FolderDialogModel& model = presenter_.model();
    showText(item(Text1), model.Text1);
    showText(item(Text2), model.Text2);
    showText(item(Text3), model.Text3);
    if (model.Dir1 != shownDir1_) {
        shownDir1_ = model.Dir1;
        group1_->showFolder(model.Dir1);
    }
    if (model.Dir2 != shownDir2_) {
        shownDir2_ = model.Dir2;
        group2_->showFolder(model.Dir2);
    }
    const HWND files = item(File1);
    if (model.File1 != shownFiles_) {
        shownFiles_ = model.File1;
        SendMessageW(files, LB_RESETCONTENT, 0, 0);
        for (const std::string& name : model.File1) {
            SendMessageW(files, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(name).c_str()));
        }
    }
    if (!model.File1Selected.empty()) {
        const LRESULT index =
            SendMessageW(files, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(wide(model.File1Selected).c_str()));
        if (index != LB_ERR && SendMessageW(files, LB_GETCURSEL, 0, 0) != index) {
            SendMessageW(files, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
    }
    showAs(model.Visible);
    showing_ = false;
}

}  // namespace brezzolo::win32
