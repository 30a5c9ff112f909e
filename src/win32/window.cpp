#include "win32/window.h"

#include <algorithm>

#include "win32/controls.h"
#include "win32/resource.h"
#include "win32/text.h"

namespace brezzolo::win32 {
namespace {

int screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// The system's fonts come for the screen's dots per inch at the start of the session.
int& currentDpi() {
    static int dpi = screenDpi();
    return dpi;
}

HFONT derivedFont(const LOGFONTW& base, LONG weight, int extraPoints, double scale = 1.0) {
    LOGFONTW font = base;
    font.lfWeight = weight;
    // lfHeight is negative: the character height in pixels.
    font.lfHeight =
        static_cast<LONG>(font.lfHeight * scale) - MulDiv(extraPoints, currentDpi(), 72);
    return CreateFontIndirectW(&font);
}

Fonts makeFonts() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW base = metrics.lfMessageFont;
    base.lfHeight = MulDiv(base.lfHeight, currentDpi(), screenDpi());
    Fonts f;
    f.normal = CreateFontIndirectW(&base);
    f.bold = derivedFont(base, FW_BOLD, 0);
    f.title = derivedFont(base, FW_BOLD, 3);
    f.headline = derivedFont(base, FW_BOLD, 1);
    f.large = derivedFont(base, FW_BOLD, 0, 1.5);
    LOGFONTW fixed = base;
    fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynW(fixed.lfFaceName, L"Courier New", LF_FACESIZE);
    f.fixed = CreateFontIndirectW(&fixed);
    f.line = lineHeight(f.normal);
    f.fixedLine = lineHeight(f.fixed);
    return f;
}

Fonts& currentFonts() {
    static Fonts made = makeFonts();
    return made;
}

}  // namespace

int dpi() {
    return currentDpi();
}

int scaled(int units) {
    return MulDiv(units, currentDpi(), 96);
}

int unscaled(int pixels) {
    return (pixels * 96 + currentDpi() - 1) / currentDpi();
}

const Fonts& fonts() {
    return currentFonts();
}

Fonts setDpi(int dpi) {
    const Fonts old = currentFonts();
    currentDpi() = dpi;
    currentFonts() = makeFonts();
    return old;
}

void changeFonts(HWND window, const Fonts& old, const Fonts& made) {
    struct Change {
        const Fonts& old;
        const Fonts& made;
    } change{old, made};
    EnumChildWindows(
        window,
        [](HWND control, LPARAM data) -> BOOL {
            const auto& c = *reinterpret_cast<const Change*>(data);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
            for (const auto member : {&Fonts::normal, &Fonts::bold, &Fonts::title, &Fonts::headline,
                                      &Fonts::large, &Fonts::fixed}) {
                if (font == c.old.*member) {
                    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(c.made.*member),
                                 FALSE);
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&change));
}

void deleteFonts(const Fonts& old) {
    for (const HFONT font : {old.normal, old.bold, old.title, old.headline, old.large, old.fixed}) {
        DeleteObject(font);
    }
}

int dpiOf(HWND window) {
    // Looked up, so that the program still starts where the function is missing.
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto get = reinterpret_cast<GetDpiForWindow>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const int found = get != nullptr ? static_cast<int>(get(window)) : 0;
    return found > 0 ? found : dpi();
}

HINSTANCE instance() {
    return GetModuleHandleW(nullptr);
}

int lineHeight(HFONT font) {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return unscaled(metrics.tmHeight + metrics.tmExternalLeading) + 4;
}

int textWidth(HFONT font, std::wstring_view text) {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return unscaled(size.cx);
}

int textWidth(HWND control) {
    auto* font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    return textWidth(font != nullptr ? font : fonts().normal, windowText(control));
}

int wrappedHeight(HFONT font, std::wstring_view text, int width) {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    RECT box = {0, 0, scaled(width), 0};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return unscaled(box.bottom);
}

void place(HWND control, int x, int y, int width, int height) {
    SetWindowPos(control, nullptr, scaled(x), scaled(y), width > 0 ? scaled(width) : 0,
                 height > 0 ? scaled(height) : 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

Window::~Window() {
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::showAs(bool visible) {
    if (visible && !IsWindowVisible(hwnd_)) {
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
    } else if (!visible && IsWindowVisible(hwnd_)) {
        ShowWindow(hwnd_, SW_HIDE);
    }
}

void Window::create(const wchar_t* className, std::string_view title, DWORD style,
                    DWORD extendedStyle, SIZE client, HWND owner, HMENU menu) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(instance(), className, &windowClass)) {
        windowClass.lpfnWndProc = &Window::procedure;
        windowClass.hInstance = instance();
        windowClass.lpszClassName = className;
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.hIcon = LoadIconW(instance(), MAKEINTRESOURCEW(IDI_BREZZOLO));
        windowClass.hIconSm = static_cast<HICON>(
            LoadImageW(instance(), MAKEINTRESOURCEW(IDI_BREZZOLO), IMAGE_ICON,
                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
        RegisterClassExW(&windowClass);
    }
    RECT frame = {0, 0, scaled(client.cx), scaled(client.cy)};
    AdjustWindowRectEx(&frame, style, menu != nullptr, extendedStyle);
    CreateWindowExW(extendedStyle, className, wide(title).c_str(), style, CW_USEDEFAULT,
                    CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, owner, menu,
                    instance(), this);
}

void Window::setClientSize(SIZE client) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
    const auto extendedStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
    RECT frame = {0, 0, scaled(client.cx), scaled(client.cy)};
    AdjustWindowRectEx(&frame, style, GetMenu(hwnd_) != nullptr, extendedStyle);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Window::child(const wchar_t* className, int id, DWORD style, std::string_view text,
                   DWORD extendedStyle, HFONT font) {
    const HWND control = CreateWindowExW(
        extendedStyle, className, wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
        hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
    SendMessageW(control, WM_SETFONT,
                 reinterpret_cast<WPARAM>(font != nullptr ? font : fonts().normal), FALSE);
    return control;
}

HWND Window::makeLabel(int id, std::string_view text, HFONT font) {
    return child(L"STATIC", id, SS_LEFTNOWORDWRAP | SS_NOPREFIX, text, 0, font);
}

LRESULT Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DPICHANGED) {
        // A dialog moved to another screen takes the size the system proposes; its contents
        // follow the main window's screen.
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

namespace {

constexpr int kButtonGap = 8;

// The width of "OK" and "Annulla": the wider text, and no narrower than a usual button.
int okCancelWidth(std::string_view cancelText) {
    return std::max(80, textWidth(fonts().normal, wide(cancelText)) + 24);
}

}  // namespace

int Window::buttonRowWidth(std::string_view ownText, std::string_view cancelText) {
    return textWidth(fonts().normal, wide(ownText)) + 24 + 2 * okCancelWidth(cancelText) +
           3 * kButtonGap;
}

void Window::placeButtonRow(int ownId, std::string_view ownText, std::string_view okText,
                            std::string_view cancelText, int margin, int y, int width) {
    const int height = fonts().line + 8;
    const int button = okCancelWidth(cancelText);
    place(child(L"BUTTON", ownId, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, ownText), margin, y,
          textWidth(fonts().normal, wide(ownText)) + 24, height);
    place(child(L"BUTTON", cmdOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, okText),
          margin + width - 2 * button - kButtonGap, y, button, height);
    place(child(L"BUTTON", cmdCancel, BS_PUSHBUTTON | WS_TABSTOP, cancelText),
          margin + width - button, y, button, height);
    setClientSize({width + 2 * margin, y + height + margin});
}

}  // namespace brezzolo::win32
