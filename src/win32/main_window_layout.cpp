// The main window's controls and where they stand: the same grouping and order as the Qt
// window, top to bottom and left to right: the title and headline; the outdoor, rain and
// conditions panels and the day's extremes with their indicators, in four equal columns; the
// chart with its title and time axis beside the user message and the chart selector; the
// report; the release line with the exit button; the APRS-IS status line at the foot, while it
// has something to say. A wider or taller window gives the room to
// the panels' columns and to the chart.

#include <algorithm>
#include <initializer_list>

#include "win32/chart.h"
#include "win32/controls.h"
#include "win32/main_window.h"
#include "win32/text.h"

namespace brezzolo::win32 {
namespace {

constexpr int kMargin = 12;
constexpr int kTopMargin = 8;
constexpr int kColumnGap = 12;
constexpr int kSideGap = 24;
constexpr int kShapeSize = 16;
// The widest value a panel column shows in full, and the widest caption under a bar: a window
// made narrower stops where they would be cut.
constexpr const wchar_t* kWidestValue = L"Pressione rel.:   1004.4 hPa";
constexpr const wchar_t* kWidestCaption = L"-30min";

bool isHeading(int number) {
    for (const int heading : {12, 20, 21, 22, 23, 28, 30, 35}) {
        if (number == heading) {
            return true;
        }
    }
    return false;
}

int averageCharWidth() {
    return textWidth(fonts().normal, L"abcdefghijklmnopqrstuvwxyz") / 26;
}

int buttonHeight() {
    return fonts().line + 8;
}

int editHeight() {
    return fonts().line + 6;
}

int checkBoxWidth() {
    return unscaled(GetSystemMetrics(SM_CXMENUCHECK)) + 6;
}

// The rows above the chart: title, headline, and eleven rows of panels.
int topBlockHeight() {
    return kTopMargin + lineHeight(fonts().title) + lineHeight(fonts().headline) + 4 +
           10 * fonts().line + std::max(fonts().line, kShapeSize + 2) + 6;
}

// The rows below the chart: the report's heading and text, Label37, the release line.
int bottomBlockHeight() {
    return 4 + fonts().line + 2 * fonts().fixedLine + 8 + fonts().line + buttonHeight() + 8;
}

}  // namespace

HMENU MainWindow::createMenu() {
    namespace texts = mainWindowTexts;
    const HMENU bar = CreateMenu();
    const HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, Cartelle, wide(texts::Cartelle).c_str());
    AppendMenuW(file, MF_STRING, Esci, wide(texts::Esci).c_str());
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), wide(texts::File).c_str());
    const HMENU parameters = CreatePopupMenu();
    AppendMenuW(parameters, MF_STRING, Stringa_APRS, wide(texts::Stringa_APRS).c_str());
    AppendMenuW(parameters, MF_STRING, Pressione, wide(texts::Pressione).c_str());
    AppendMenuW(parameters, MF_STRING, APRS_IS, wide(texts::APRS_IS).c_str());
    AppendMenuW(parameters, MF_STRING, Stazione, wide(texts::Stazione).c_str());
    AppendMenuW(parameters, MF_STRING, Web, wide(texts::Web).c_str());
    AppendMenuW(parameters, MF_STRING, Radio, wide(texts::Radio).c_str());
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(parameters),
                wide(texts::Parametri).c_str());
    AppendMenuW(bar, MF_STRING, About, wide(texts::About).c_str());
    return bar;
}

void MainWindow::createControls() {
    const Fonts& f = fonts();
    for (int number = 1; number <= 37; ++number) {
        const HFONT font = number == 1         ? f.title
                           : number == 2       ? f.headline
                           : isHeading(number) ? f.bold
                                               : f.normal;
        if (number == 34) {
            // The time axis keeps its text and paints its captions under the bars.
            child(L"STATIC", Label34, SS_OWNERDRAW, {}, 0, font);
        } else {
            makeLabel(label(number), {}, font);
        }
    }
    for (int id = Shape1; id <= Shape4; ++id) {
        child(L"STATIC", id, SS_OWNERDRAW);
    }
    child(L"STATIC", MSChart1, SS_OWNERDRAW);
    child(L"BUTTON", Check1, BS_CHECKBOX | WS_TABSTOP | WS_GROUP);
    child(L"EDIT", Text2, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, {}, WS_EX_CLIENTEDGE);
    child(L"BUTTON", Option1, BS_RADIOBUTTON | WS_TABSTOP | WS_GROUP, mainWindowTexts::Option1);
    child(L"BUTTON", Option2, BS_RADIOBUTTON, mainWindowTexts::Option2);
    child(L"EDIT", Text1, ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, {},
          WS_EX_CLIENTEDGE, f.fixed);
    child(L"BUTTON", Command1, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP);
    // Hidden until the upload or the station link has a state to show; a long one ends in
    // "...".
    for (const int id : {StatusStation, StatusAprsIs, StatusRadio}) {
        ShowWindow(child(L"STATIC", id, SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_ENDELLIPSIS, {},
                         WS_EX_STATICEDGE),
                   SW_HIDE);
    }
}

namespace {

int statusLineHeight(const std::string& line) {
    return line.empty() ? 0 : fonts().line + 4;
}

}  // namespace

int MainWindow::statusHeight() const {
    return statusLineHeight(presenter_.model().StatusStation) +
           statusLineHeight(presenter_.model().StatusAprsIs) +
           statusLineHeight(presenter_.model().StatusRadio);
}

SIZE MainWindow::minimumClientSize() const {
    const HFONT font = fonts().normal;
    const int side =
        std::max({textWidth(item(Label31)) + checkBoxWidth(),
                  textWidth(item(Option2)) + checkBoxWidth(), 20 * averageCharWidth()});
    const int panels = 4 * (textWidth(font, kWidestValue) + 8) + 3 * kColumnGap;
    const int chart =
        valueAxisRoom() + static_cast<int>(kChartColumns) * (textWidth(font, kWidestCaption) + 12);
    const int sideHeight = 6 * fonts().line + editHeight() + 14;
    return {2 * kMargin + std::max(panels, chart + kSideGap + side),
            topBlockHeight() + std::max(12 * fonts().line, sideHeight) + bottomBlockHeight() +
                statusHeight()};
}

SIZE MainWindow::initialClientSize() const {
    const SIZE least = minimumClientSize();
    return {std::max<LONG>(least.cx, 50 * fonts().line),
            std::max<LONG>(least.cy, topBlockHeight() + 17 * fonts().line + bottomBlockHeight())};
}

void MainWindow::layout() {
    const HWND window = hwnd();
    if (window == nullptr || item(Command1) == nullptr) {
        return;  // still being created
    }
    RECT pixels;
    GetClientRect(window, &pixels);
    // In layout units, rounded down: nothing placed beyond the window's edge.
    const RECT client = {0, 0, pixels.right * 96 / dpi(), pixels.bottom * 96 / dpi()};
    const Fonts& f = fonts();
    const int line = f.line;
    const int left = kMargin;
    const int width = std::max(0, static_cast<int>(client.right) - 2 * kMargin);
    int y = kTopMargin;
    const auto at = [this](int id, int x, int top, int w, int h) { place(item(id), x, top, w, h); };

    at(Label1, left, y, width, lineHeight(f.title));
    y += lineHeight(f.title);
    at(Label2, left, y, width, lineHeight(f.headline));
    y += lineHeight(f.headline) + 4;

    // The panels: headings over rows of four equal columns.
    const int column = (width - 3 * kColumnGap) / 4;
    const auto columnX = [&](int c) { return left + c * (column + kColumnGap); };
    const auto span = [&](int columns) { return columns * column + (columns - 1) * kColumnGap; };
    const auto heading = [&](int number) {
        at(label(number), left, y, width, line);
        y += line;
    };
    const auto values = [&](std::initializer_list<int> numbers) {
        int c = 0;
        for (const int number : numbers) {
            at(label(number), columnX(c++), y, column, line);
        }
        y += line;
    };
    heading(21);
    values({6, 7, 33, 16});
    values({10, 11, 8, 9});
    heading(22);
    values({13, 14, 15, 36});
    heading(12);
    at(Label4, columnX(0), y, span(2), line);
    at(Label5, columnX(2), y, span(2), line);
    y += line;
    at(Label19, columnX(0), y, span(2), line);
    const int stormWidth = textWidth(item(Label17));
    at(Label17, columnX(2), y, stormWidth, line);
    at(Label18, columnX(2) + stormWidth, y, std::min(textWidth(item(Label18)) + 6, span(2)), line);
    y += line;
    at(Label29, left, y, width, line);
    y += line;
    heading(23);
    const int extremesHeight = std::max(line, kShapeSize + 2);
    for (int k = 0; k < 4; ++k) {
        const int textW = std::min(textWidth(item(Label24 + k)), column - kShapeSize - 6);
        at(Label24 + k, columnX(k), y, textW, extremesHeight);
        at(Shape1 + k, columnX(k) + textW + 6, y + (extremesHeight - kShapeSize) / 2 - 2,
           kShapeSize, kShapeSize);
    }
    y += extremesHeight + 6;

    // From the bottom up: the status line, the release line, Label37, the report and its
    // heading.
    // The station's line above the upload's.
    const int status = statusHeight();
    // The radio's below the upload's.
    const int aprsIsStatus = statusLineHeight(presenter_.model().StatusAprsIs);
    const int radioStatus = statusLineHeight(presenter_.model().StatusRadio);
    at(StatusStation, 0, client.bottom - status, client.right, status - aprsIsStatus - radioStatus);
    at(StatusAprsIs, 0, client.bottom - aprsIsStatus - radioStatus, client.right, aprsIsStatus);
    at(StatusRadio, 0, client.bottom - radioStatus, client.right, radioStatus);
    const int bottom = client.bottom - status - 8;
    const int commandWidth = std::max(110, textWidth(item(Command1)) + 24);
    at(Command1, left + width - commandWidth, bottom - buttonHeight(), commandWidth,
       buttonHeight());
    at(Label3, left, bottom - line, width - commandWidth - kColumnGap, line);
    const int label37 = bottom - buttonHeight() - line;
    at(Label37, left, label37, width, line);
    const int reportHeight = 2 * f.fixedLine + 8;
    at(Text1, left, label37 - reportHeight, width, reportHeight);
    const int label20 = label37 - reportHeight - line;
    at(Label20, left, label20, width, line);

    // The chart block on the left, the user message and the chart selector on the right.
    const int side =
        std::max({textWidth(item(Label31)) + checkBoxWidth(),
                  textWidth(item(Option2)) + checkBoxWidth(), 20 * averageCharWidth()});
    const int chartWidth = width - side - kSideGap;
    const int chartBottom = label20 - 4;
    at(Label28, left + valueAxisRoom(), y, chartWidth - valueAxisRoom(), line);
    at(MSChart1, left, y + line, chartWidth, chartBottom - line - (y + line));
    at(Label34, left, chartBottom - line, chartWidth, line);

    const int sideX = left + chartWidth + kSideGap;
    at(Label30, sideX, y, side, line);
    y += line;
    at(Check1, sideX, y, checkBoxWidth(), line);
    at(Label31, sideX + checkBoxWidth(), y, side - checkBoxWidth(), line);
    y += line + 2;
    const int testo = textWidth(item(Label32)) + 6;
    at(Label32, sideX, y + (editHeight() - line) / 2, testo, line);
    at(Text2, sideX + testo, y, side - testo, editHeight());
    y += editHeight() + 14;
    at(Label35, sideX, y, side, line);
    y += line;
    at(Option1, sideX, y, side, line);
    y += line + 2;
    at(Option2, sideX, y, side, line);

    // Moved and resized controls repaint whole (a label does not repaint by itself when it
    // grows, nor the chart when it changes its width).
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace brezzolo::win32
