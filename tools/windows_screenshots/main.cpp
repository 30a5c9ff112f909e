// brezzolo-windows-screenshots FOLDER [SUFFIX]: the Windows pictures of docs/, taken of
// brezzolo.exe (beside this program) on a simulated station and driven as the window test
// drives it (tests/win32's window driver). Saves what the screen shows of the main window after
// a cycle, with a user message, the folder dialog, the APRS-IS dialog and the About box as
// 24-bit BMP files windows-<name><SUFFIX>.bmp in FOLDER. tools/windows-screenshots runs it.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/paths.h"
#include "station_sim/station_sim.h"
#include "support/temp_folder.h"
#include "version.h"
#include "win32/controls.h"
#include "window_driver.h"

namespace brezzolo {
namespace {

using namespace win32;
using namespace test;

std::wstring wide(const std::string& utf8) {
    return toFsPath(utf8).wstring();
}

// Saves what the screen shows of a window as a 24-bit BMP file.
bool saveWindowPicture(HWND window, const std::wstring& path) {
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
    GdiFlush();
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageBytes;
    info.bmiHeader.biSizeImage = imageBytes;
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    file.write(reinterpret_cast<const char*>(&header), sizeof header);
    file.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    file.write(static_cast<const char*>(pixels), imageBytes);
    file.close();
    const bool saved = !file.fail();
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

bool takePictures(const std::string& work, const std::string& folder, const std::wstring& suffix) {
    const WindowProgram program(work);
    const HWND main = program.window(L"Brezzolo");
    if (main == nullptr ||
        !waitFor([&] { return text(main, Label2).starts_with(L"Situazione meteo di"); })) {
        return false;
    }
    click(main, Check1);
    setText(main, Text2, L"73 de IZ1ABC");
    const auto picture = [&](HWND window, const wchar_t* name) {
        Sleep(800);  // every control painted
        return window != nullptr &&
               saveWindowPicture(window, wide(*joinPath(folder, "")) + name + suffix + L".bmp");
    };
    bool saved = picture(main, L"windows-main-window");
    chooseMenu(main, Cartelle);
    const HWND folders = program.window(L"Configurazione File");
    saved = picture(folders, L"windows-folder-dialog") && saved;
    PostMessageW(folders, WM_CLOSE, 0, 0);
    chooseMenu(main, APRS_IS);
    const HWND aprsIs = program.window(L"Setup APRS-IS / CWOP");
    saved = picture(aprsIs, L"windows-aprs-is-dialog") && saved;
    PostMessageW(aprsIs, WM_CLOSE, 0, 0);
    chooseMenu(main, About);
    saved = picture(program.window(L"Informazioni su " + wide(version::applicationTitle)),
                    L"windows-about-box") &&
            saved;
    return saved;
}

}  // namespace
}  // namespace brezzolo

int wmain(int argc, wchar_t** argv) {
    using namespace brezzolo;
    namespace fs = std::filesystem;
    if (argc != 2 && argc != 3) {
        return 2;
    }
    // The screen's own pixels, whatever its dots per inch: the windows as they are shown.
    SetProcessDPIAware();
    // A folder of a fixed name, so that the pictures change only when the windows do.
    const fs::path work = fs::temp_directory_path() / "Brezzolo";
    std::error_code ignored;
    fs::remove_all(work, ignored);
    const std::string hw = fromFsPath(work / "HeavyWeather");
    const std::string out = fromFsPath(work / "APRS");
    fs::create_directories(toFsPath(out));
    // A June afternoon after one day of history, as the window test's.
    sim::GenerationOptions day;
    day.seed = 7;
    day.start = {2006, 6, 4, 14, 5, 0};
    day.days = 1;
    day.intervalMinutes = 5;
    bool taken = sim::generateFolder(hw, day).has_value();
    if (taken) {
        writeFileBytes(fromFsPath(work / "config.brz"),
                       crlf({"1", "1", "1", hw, out, "history.dat"}));
        taken = takePictures(fromFsPath(work), fromFsPath(fs::path(argv[1])),
                             argc == 3 ? argv[2] : L"");
    }
    fs::remove_all(work, ignored);
    return taken ? 0 : 1;
}
