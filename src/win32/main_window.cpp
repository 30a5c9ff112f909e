#include "win32/main_window.h"

#include <utility>

#include "win32/about_box.h"
#include "win32/aprs_is_dialog.h"
#include "win32/chart.h"
#include "win32/controls.h"
#include "win32/folder_dialog.h"
#include "win32/radio_dialog.h"
#include "win32/settings_dialog.h"
#include "win32/station_dialog.h"
#include "win32/text.h"
#include "win32/web_dialog.h"

namespace brezzolo::win32 {
namespace {

// Posted to unload the About box once its own handlers have returned.
constexpr UINT kReleaseAboutBox = WM_APP + 1;
// How often a finished upload or connection test is looked for while one is under way.
constexpr UINT kBackgroundPollMs = 500;

const LabelModel& labelOf(const MainWindowModel& model, int id) {
    return model.*mainWindowLabels()[static_cast<std::size_t>(id - Label1)].label;
}

const ShapeModel& shapeOf(const MainWindowModel& model, int id) {
    return model.*mainWindowShapes()[static_cast<std::size_t>(id - Shape1)].shape;
}

void showBorder(HWND control, bool border) {
    const auto style = GetWindowLongPtrW(control, GWL_EXSTYLE);
    const auto wanted = border ? (style | WS_EX_STATICEDGE) : (style & ~LONG_PTR{WS_EX_STATICEDGE});
    if (wanted != style) {
        SetWindowLongPtrW(control, GWL_EXSTYLE, wanted);
        SetWindowPos(control, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void showCheck(HWND button, bool checked) {
    const WPARAM state = checked ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageW(button, BM_GETCHECK, 0, 0)) != state) {
        SendMessageW(button, BM_SETCHECK, state, 0);
    }
}

}  // namespace

MainWindow::MainWindow(std::string configPath) : presenter_(*this, std::move(configPath)) {
    create(kMainWindowClass, mainWindowTexts::caption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
           WS_EX_CONTROLPARENT, {800, 600}, nullptr, createMenu());
    // Opened on a screen other than the one the session's fonts were made for.
    if (dpiOf(hwnd()) != dpi()) {
        deleteFonts(setDpi(dpiOf(hwnd())));
    }
    createControls();
    folderDialog_ =
        std::make_unique<FolderDialog>(hwnd(), presenter_.folderDialog(), [this] { refresh(); });
}

MainWindow::~MainWindow() {
    if (background_ != nullptr) {
        DeleteObject(background_);
    }
}

bool MainWindow::start() {
    const auto outcome = presenter_.start(GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE));
    refresh();
    return outcome != StartOutcome::CannotContinue;
}

bool MainWindow::dialogMessage(MSG& message) {
    const HWND top = GetAncestor(message.hwnd, GA_ROOT);
    if (top == nullptr) {
        return false;
    }
    const bool ours = top == hwnd() || top == folderDialog_->hwnd() ||
                      (reportModeDialog_ && top == reportModeDialog_->hwnd()) ||
                      (pressureDialog_ && top == pressureDialog_->hwnd()) ||
                      (aprsIsDialog_ && top == aprsIsDialog_->hwnd()) ||
                      (stationDialog_ && top == stationDialog_->hwnd()) ||
                      (webDialog_ && top == webDialog_->hwnd()) ||
                      (radioDialog_ && top == radioDialog_->hwnd()) ||
                      (aboutBox_ && top == aboutBox_->hwnd());
    return ours && IsDialogMessageW(top, &message);
}

template <typename Handler>
void MainWindow::forward(Handler&& handler) {
    handler(presenter_);
    refresh();
}

void MainWindow::refresh() {
    if (ending_) {
        return;
    }
    showModel();
    showDialogs();
    applyTimer();
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    using P = MainWindowPresenter;
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kTimer1) {
                forward([](P& p) { p.timerFired(); });
            } else if (wParam == kBackgroundPoll) {
                pollBackground();
            }
            return 0;
        case WM_SIZE:
            layout();
            return 0;
        case WM_DPICHANGED:
            changeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_GETMINMAXINFO: {
            const SIZE client = minimumClientSize();
            RECT frame = {0, 0, scaled(client.cx), scaled(client.cy)};
            AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)),
                               TRUE, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {frame.right - frame.left,
                                                                     frame.bottom - frame.top};
            return 0;
        }
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(hwnd(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client,
                     background_ != nullptr ? background_ : GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_CTLCOLORSTATIC:
            return colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DRAWITEM:
            drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CLOSE:
            // The frame ends the program like "Esci": no hidden process stays behind.
            forward([](P& p) { p.exitClicked(); });
            return 0;
        case kReleaseAboutBox:
            if (!presenter_.aboutBoxLoaded()) {
                aboutBox_.reset();
            }
            return 0;
        default:
            return Window::handle(message, wParam, lParam);
    }
}

void MainWindow::command(int id, int code) {
    using P = MainWindowPresenter;
    // Option buttons also report a double click, after the click itself.
    if (id != Text2 && code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case Option1:
            forward([](P& p) { p.chartOptionClicked(ChartChoice::Pressure); });
            break;
        case Option2:
            forward([](P& p) { p.chartOptionClicked(ChartChoice::OutdoorTemperature); });
            break;
        case Check1:
            forward([](P& p) { p.userMessageEnabled(!p.model().Check1); });
            break;
        case Text2:
            // Typed, pasted or cut: the presenter keeps the first 20 characters, and the
            // field shows what it kept. The texts showModel() puts back are no new change.
            if (code == EN_CHANGE && !showing_) {
                const std::string text = utf8(windowText(item(Text2)));
                forward([&](P& p) { p.userMessageChanged(text); });
            }
            break;
        case Command1:
        case Esci:
            forward([](P& p) { p.exitClicked(); });
            break;
        case Cartelle:
            forward([](P& p) { p.folderMenuClicked(); });
            break;
        case Stringa_APRS:
            forward([](P& p) { p.reportModeMenuClicked(); });
            break;
        case Pressione:
            forward([](P& p) { p.pressureMenuClicked(); });
            break;
        case APRS_IS:
            forward([](P& p) { p.aprsIsMenuClicked(); });
            break;
        case Stazione:
            forward([](P& p) { p.stationMenuClicked(); });
            break;
        case Web:
            forward([](P& p) { p.webMenuClicked(); });
            break;
        case Radio:
            forward([](P& p) { p.radioMenuClicked(); });
            break;
        case About:
            forward([](P& p) { p.aboutMenuClicked(); });
            break;
        default:
            break;  // Enter (IDOK) and Escape (IDCANCEL) do nothing here
    }
}

void MainWindow::showModel() {
    showing_ = true;
    const MainWindowModel& model = presenter_.model();
    if (background_ == nullptr || model.backgroundColour != backgroundColour_) {
        if (background_ != nullptr) {
            DeleteObject(background_);
        }
        backgroundColour_ = model.backgroundColour;
        background_ = CreateSolidBrush(backgroundColour_);
        InvalidateRect(hwnd(), nullptr, TRUE);
    }

    // The indicators and the storm state stand right after their labels' texts.
    bool placesChanged = false;
    for (int id = Label1; id <= Label37; ++id) {
        const LabelModel& label = labelOf(model, id);
        const HWND control = item(id);
        const std::wstring caption = wide(label.Caption);
        if (windowText(control) != caption) {
            SetWindowTextW(control, caption.c_str());
            placesChanged = placesChanged || id == Label17 || id == Label18 ||
                            (id >= Label24 && id <= Label27) || id == Label31;
        }
        showBorder(control, label.BorderStyle == 1);
        // The colours are read while painting; a repaint shows a changed one.
        Colour& shown = shownColours_[static_cast<std::size_t>(id - Label1)];
        if (shown != label.ForeColor) {
            shown = label.ForeColor;
            InvalidateRect(control, nullptr, TRUE);
        }
    }
    for (int id = Shape1; id <= Shape4; ++id) {
        const ShapeModel& shape = shapeOf(model, id);
        ShapeModel& shown = shownShapes_[static_cast<std::size_t>(id - Shape1)];
        if (shown.BorderColor != shape.BorderColor || shown.FillColor != shape.FillColor) {
            shown = shape;
            InvalidateRect(item(id), nullptr, FALSE);
        }
    }
    showText(item(Text1), model.Text1);
    showCheck(item(Check1), model.Check1);
    const HWND message = item(Text2);
    if (windowText(message) != wide(model.Text2)) {
        DWORD caret = 0;
        SendMessageW(message, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
        showText(message, model.Text2);
        const auto length = static_cast<DWORD>(GetWindowTextLengthW(message));
        const DWORD kept = caret < length ? caret : length;
        SendMessageW(message, EM_SETSEL, kept, static_cast<LPARAM>(kept));
    }
    showText(item(Command1), model.Command1);
    showCheck(item(Option1), model.Option1);
    showCheck(item(Option2), model.Option2);
    const std::string values = chartValuesText(model.MSChart1);
    if (windowText(item(MSChart1)) != wide(values)) {
        showText(item(MSChart1), values);
        InvalidateRect(item(MSChart1), nullptr, FALSE);
    }
    // A status line shows only with something to say, so that a window without aprs-is.brz
    // and station.brz stays as it was; when one comes or goes the controls above make room or
    // take it back.
    bool statusChanged = false;
    for (const auto& [id, line] : {std::pair{StatusStation, &model.StatusStation},
                                   std::pair{StatusAprsIs, &model.StatusAprsIs},
                                   std::pair{StatusRadio, &model.StatusRadio}}) {
        const HWND status = item(id);
        showText(status, *line);
        const bool statusShown = (GetWindowLongPtrW(status, GWL_STYLE) & WS_VISIBLE) != 0;
        if (statusShown == line->empty()) {
            ShowWindow(status, line->empty() ? SW_HIDE : SW_SHOWNA);
            statusChanged = true;
        }
    }
    if (statusChanged) {
        placesChanged = true;
        RECT client;
        GetClientRect(hwnd(), &client);
        const SIZE least = minimumClientSize();
        if (sized_ && unscaled(client.bottom) < least.cy) {
            setClientSize({unscaled(client.right), least.cy});
        }
    }
    if (placesChanged) {
        layout();
    }
    if (model.Visible && !IsWindowVisible(hwnd())) {
        if (!sized_) {
            // Sized once its texts are in, before it first shows.
            sized_ = true;
            setClientSize(initialClientSize());
        }
        showAs(true);
    }
    showing_ = false;
}

void MainWindow::changeDpi(int newDpi, const RECT& suggested) {
    if (newDpi != dpi()) {
        const Fonts old = setDpi(newDpi);
        changeFonts(hwnd(), old, fonts());
        // The dialogs hold no state of their own: made again at their next showing, for the
        // new screen (the visible ones at once, by the refresh below).
        folderDialog_ = std::make_unique<FolderDialog>(hwnd(), presenter_.folderDialog(),
                                                       [this] { refresh(); });
        reportModeDialog_.reset();
        pressureDialog_.reset();
        aprsIsDialog_.reset();
        stationDialog_.reset();
        webDialog_.reset();
        aboutBox_.reset();
        deleteFonts(old);
    }
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    refresh();
}

void MainWindow::showDialogs() {
    folderDialog_->showModel();

    // The settings dialogs load at their first showing and then stay, hidden between uses.
    const auto showSettings = [this](std::unique_ptr<SettingsDialog>& dialog,
                                     SettingsDialogPresenter& settings) {
        if (!dialog && settings.loaded()) {
            dialog = std::make_unique<SettingsDialog>(hwnd(), settings, [this] { refresh(); });
        }
        if (dialog) {
            dialog->showModel();
        }
    };
    showSettings(reportModeDialog_, presenter_.reportModeDialog());
    showSettings(pressureDialog_, presenter_.pressureDialog());
    if (!aprsIsDialog_ && presenter_.aprsIsDialog().model().Visible) {
        aprsIsDialog_ = std::make_unique<AprsIsDialog>(hwnd(), presenter_.aprsIsDialog(),
                                                       [this] { refresh(); });
    }
    if (aprsIsDialog_) {
        aprsIsDialog_->showModel();
    }
    if (!stationDialog_ && presenter_.stationDialog().model().Visible) {
        stationDialog_ = std::make_unique<StationDialog>(hwnd(), presenter_.stationDialog(),
                                                         [this] { refresh(); });
    }
    if (stationDialog_) {
        stationDialog_->showModel();
    }
    if (!webDialog_ && presenter_.webDialog().model().Visible) {
        webDialog_ =
            std::make_unique<WebDialog>(hwnd(), presenter_.webDialog(), [this] { refresh(); });
    }
    if (webDialog_) {
        webDialog_->showModel();
    }
    if (!radioDialog_ && presenter_.radioDialog().model().Visible) {
        radioDialog_ =
            std::make_unique<RadioDialog>(hwnd(), presenter_.radioDialog(), [this] { refresh(); });
    }
    if (radioDialog_) {
        radioDialog_->showModel();
    }

    // The About box: loaded hidden by the start-up, unloaded by its "OK".
    if (presenter_.aboutBoxLoaded() && !aboutBox_) {
        aboutBox_ = std::make_unique<AboutBox>(
            hwnd(), *this, [this] { forward([](MainWindowPresenter& p) { p.aboutBoxClosed(); }); });
    }
    if (aboutBox_) {
        aboutBox_->showAs(presenter_.aboutBoxVisible());
        if (!presenter_.aboutBoxLoaded()) {
            PostMessageW(hwnd(), kReleaseAboutBox, 0, 0);
        }
    }
}

void MainWindow::applyTimer() {
    // Only changes touch the window timer, so that a running one keeps its rhythm.
    const TimerModel& timer = presenter_.model().Timer1;
    if (!timer.Enabled) {
        if (runningTimer_.Enabled) {
            KillTimer(hwnd(), kTimer1);
        }
        runningTimer_ = timer;
    } else if (!runningTimer_.Enabled || runningTimer_.Interval != timer.Interval) {
        SetTimer(hwnd(), kTimer1, static_cast<UINT>(timer.Interval), nullptr);
        runningTimer_ = timer;
    }
    // The worker threads never touch a window: their results are fetched here, on the
    // window's thread, and only while there is something to fetch.
    const bool underWay = presenter_.backgroundWorkUnderWay();
    if (underWay && !polling_) {
        SetTimer(hwnd(), kBackgroundPoll, kBackgroundPollMs, nullptr);
    } else if (!underWay && polling_) {
        KillTimer(hwnd(), kBackgroundPoll);
    }
    polling_ = underWay;
}

void MainWindow::pollBackground() {
    const bool changed = presenter_.pollBackground();
    if (changed || !presenter_.backgroundWorkUnderWay()) {
        refresh();
    }
}

LRESULT MainWindow::colourStatic(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    const MainWindowModel& model = presenter_.model();
    if (id == Text1) {
        // The report is read-only but shown as a text field, as in the Qt window.
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    SetTextColor(dc, id >= Label1 && id <= Label37 ? labelOf(model, id).ForeColor
                                                   : model.standardTextColour);
    SetBkColor(dc, backgroundColour_);
    return reinterpret_cast<LRESULT>(background_);
}

void MainWindow::drawItem(const DRAWITEMSTRUCT& drawn) {
    // Drawn off screen first, so that a redraw every cycle does not flicker.
    const RECT& area = drawn.rcItem;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const HDC buffer = CreateCompatibleDC(drawn.hDC);
    const HBITMAP bitmap = CreateCompatibleBitmap(drawn.hDC, width, height);
    const HGDIOBJ old = SelectObject(buffer, bitmap);
    const RECT local = {0, 0, width, height};
    const MainWindowModel& model = presenter_.model();
    const int id = static_cast<int>(drawn.CtlID);
    if (id == MSChart1) {
        paintChart(buffer, local, model.MSChart1);
    } else if (id == Label34) {
        paintAxisCaptions(buffer, local, model.Label34.Caption, model.Label34.ForeColor,
                          backgroundColour_);
    } else if (id >= Shape1 && id <= Shape4) {
        paintShape(buffer, local, shapeOf(model, id), backgroundColour_);
    }
    BitBlt(drawn.hDC, area.left, area.top, width, height, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, old);
    DeleteObject(bitmap);
    DeleteDC(buffer);
}

void MainWindow::showMessage(const Message& message) {
    // Modal over all of the program's windows, also at start-up before any is shown.
    const UINT icon = message.icon == MessageIcon::Information ? MB_ICONINFORMATION : 0;
    MessageBoxW(nullptr, wide(message.text).c_str(), wide(message.title).c_str(),
                MB_OK | MB_TASKMODAL | MB_SETFOREGROUND | icon);
}

void MainWindow::note(const std::string& /*line*/) {
    // The window shows the upload's state in its status line.
}

void MainWindow::endProgram() {
    if (ending_) {
        return;
    }
    ending_ = true;
    KillTimer(hwnd(), kTimer1);
    KillTimer(hwnd(), kBackgroundPoll);
    // Every window goes at once; the process stays only for the work still under way.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            ShowWindow(window, SW_HIDE);
            return TRUE;
        },
        0);
    PostQuitMessage(0);
}

void MainWindow::finishBackgroundWork() {
    presenter_.finishBackgroundWork(true);
}

}  // namespace brezzolo::win32
