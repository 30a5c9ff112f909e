#pragma once

#include <windows.h>

#include <string_view>

namespace brezzolo::win32 {

// Layout units: the windows are laid out in pixels of a screen of 96 dots per inch. Every
// margin, gap and size in the layouts, and every text measurement below (Fonts::line,
// lineHeight, textWidth, wrappedHeight: rounded up, so that a text always fits), is in these
// units; place(), Window::create() and Window::setClientSize() turn them into the screen's
// pixels. A window laid out with these helpers keeps its proportions at 125 %, 150 % or 200 %,
// with fonts made for the screen. Painting works in the screen's pixels: scaled() turns a
// layout size into them.
int dpi();                 // the screen's dots per inch the windows are laid out for
int scaled(int units);     // a layout size in the screen's pixels
int unscaled(int pixels);  // the screen's pixels in layout units, rounded up

// The fonts every window uses: the system's message font and its bold and larger forms, and
// a fixed-pitch font for the report, all made for dpi().
struct Fonts {
    HFONT normal = nullptr;
    HFONT bold = nullptr;
    HFONT title = nullptr;     // bold, 3 points larger: the main window's title
    HFONT headline = nullptr;  // bold, 1 point larger: the reading's headline
    HFONT large = nullptr;     // bold, half as large again: the About box's title
    HFONT fixed = nullptr;
    int line = 16;       // the height of a line of text in the normal font, with room
    int fixedLine = 16;  // the same for the fixed-pitch font
};
const Fonts& fonts();

// Lays the windows out for another screen (WM_DPICHANGED): fonts made for `dpi` replace the
// current ones, which are returned for the caller to put into the new ones' place in every
// control (changeFonts) and then delete (deleteFonts).
Fonts setDpi(int dpi);
// Gives every child of `window` that shows one of the old fonts its new form.
void changeFonts(HWND window, const Fonts& old, const Fonts& made);
void deleteFonts(const Fonts& old);
// The dots per inch of the screen a window is on, where the system tells (Windows 10 from
// 1607); dpi() elsewhere.
int dpiOf(HWND window);

// The program's module, for its classes and resources.
HINSTANCE instance();

// The height of a line of `font`'s text, and the width of a text in it.
int lineHeight(HFONT font);
int textWidth(HFONT font, std::wstring_view text);
// The width of a control's own text in its own font.
int textWidth(HWND control);

// The height a text takes in `font` when wrapped at `width`.
int wrappedHeight(HFONT font, std::wstring_view text, int width);

// Moves and sizes a child (in layout units); its old picture is not copied to the new place.
void place(HWND control, int x, int y, int width, int height);

// A top-level window of ours: registers its class at the first creation and hands every
// message to handle(). Dialogs are windows of this kind too, owned by the main window.
class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }
    // Shows (and brings forward) or hides the window as the model says.
    void showAs(bool visible);

  protected:
    // Creates the window with the given client size (in layout units).
    void create(const wchar_t* className, std::string_view title, DWORD style, DWORD extendedStyle,
                SIZE client, HWND owner, HMENU menu = nullptr);
    // A child control; its font is the normal one unless another is given.
    HWND child(const wchar_t* className, int id, DWORD style, std::string_view text = {},
               DWORD extendedStyle = 0, HFONT font = nullptr);
    // A plain label that neither wraps nor treats "&" as a mnemonic.
    HWND makeLabel(int id, std::string_view text = {}, HFONT font = nullptr);
    // Sets the client size (in layout units), keeping the frame around it.
    void setClientSize(SIZE client);

    // The row at the foot of a settings dialog: its own button on the left, "OK" (the default
    // button) and "Annulla" on the right, across `width` from `margin` at `y`. The dialog's
    // client size then ends a margin below it.
    void placeButtonRow(int ownId, std::string_view ownText, std::string_view okText,
                        std::string_view cancelText, int margin, int y, int width);
    // The least width of that row, for the dialog's own width.
    static int buttonRowWidth(std::string_view ownText, std::string_view cancelText);

    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

}  // namespace brezzolo::win32
