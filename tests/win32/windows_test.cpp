// brezzolo.exe as a user meets it on Windows: the program runs as a process of its own in a
// working folder and is driven through its real windows by window messages, as the start-up
// tables name their elements (win32/controls.h). Run under Wine on a virtual display by
// scripts/test-windows.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/paths.h"
#include "station_sim/station_sim.h"
#include "support/aprs_is_test_server.h"
#include "support/loopback_listener.h"
#include "support/station_folder.h"
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

// A June afternoon after one day of history: the same readings at every run.
sim::GenerationOptions simulatedDay() {
    sim::GenerationOptions options;
    options.seed = 7;
    options.start = {2006, 6, 4, 14, 5, 0};
    options.days = 1;
    options.intervalMinutes = 5;
    return options;
}

// A working folder with a simulated Heavy Weather folder "hw" and an output folder "out".
class WindowsProgram : public ::testing::Test, protected StationFolder {
  protected:
    void SetUp() override { ASSERT_TRUE(sim::generateFolder(hw, simulatedDay())); }
    std::string storedSettings() const { return readFileBytes(config); }
    std::string report() const { return readFileBytes(inOut("my_meteo.txt")); }

    // The main window once its first cycle has filled the panel.
    HWND mainWindowAfterCycle(const WindowProgram& program) const {
        const HWND main = program.window(L"Brezzolo");
        const bool cycled = main != nullptr && waitFor([&] {
                                return text(main, Label2).starts_with(L"Situazione meteo di");
                            });
        return cycled ? main : nullptr;
    }
};

TEST(WindowsExecutable, CarriesItsIconAndTheProjectVersion) {
    const HMODULE program =
        LoadLibraryExW(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)), nullptr)
        << "no icon group";  // RT_GROUP_ICON
    FreeLibrary(program);

    std::vector<char> info(GetFileVersionInfoSizeW(programPath().c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(programPath().c_str(), 0, static_cast<DWORD>(info.size()),
                                    info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(version::major << 16 | version::minor));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(version::revision << 16));
    wchar_t* text = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\041004B0\\ProductVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_EQ(std::wstring(text), wide(version::dotted));
}

TEST_F(WindowsProgram, FirstRunAsksForTheFoldersStoresThemAndRunsTheCycles) {
    const WindowProgram program(root.path());
    ASSERT_TRUE(program.started());
    const HWND folders = program.window(L"Configurazione File");
    ASSERT_NE(folders, nullptr);
    EXPECT_EQ(program.visibleTitles(), std::vector<std::wstring>{L"Configurazione File"});
    for (const int field : {Text1, Text2, Text3}) {
        EXPECT_EQ(text(folders, field), L"NON DEFINITO");
    }

    // "ESCI" with the folders still not chosen: a warning, and nothing written.
    clickLater(folders, Command2);
    const HWND warning = program.window(L"ATTENZIONE");
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(staticTexts(warning), std::vector<std::wstring>{L"Cartelle non selezionate"});
    ASSERT_TRUE(click(warning, IDOK));
    EXPECT_TRUE(waitFor([&] { return !IsWindow(warning); }));
    EXPECT_FALSE(std::filesystem::exists(toFsPath(config)));

    // Heavy Weather's folder and its history file chosen in the lists, the output folder typed.
    ASSERT_TRUE(clickListEntry(folders, Dir1, L"hw"));
    EXPECT_EQ(text(folders, Text1), wide(hw));
    EXPECT_EQ(listEntries(folders, File1), std::vector<std::wstring>{L"history.dat"});
    ASSERT_TRUE(clickListEntry(folders, File1, L"history.dat"));
    EXPECT_EQ(text(folders, Text3), L"history.dat");
    setText(folders, Text2, wide(out));
    ASSERT_TRUE(click(folders, Command2));
    EXPECT_EQ(storedSettings(), crlf(configLines()));

    // The main window replaces the dialog, and the first cycle follows at once.
    const HWND main = mainWindowAfterCycle(program);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(program.visibleTitles(), std::vector<std::wstring>{L"Brezzolo"});
    struct Shown {
        int id;
        const wchar_t* text;
    };
    for (const Shown& shown : {
             Shown{.id = Label2,
            .text = L"Situazione meteo di  lunedì  05 giugno 2006  alle ore 14:05"},
             Shown{.id = Label6, .text = L"T ext:   22.6 °C"},
             Shown{.id = Label16, .text = L"Pressione rel.:   1004.4 hPa"},
             Shown{.id = Label24, .text = L"T ext MAX =  22.6 °C"},
             Shown{.id = Label28, .text = L"Andamento relativo della pressione (ultime 12 ore)"},
             Shown{.id = Text1,
             .text = L"Jun 05 2006 14:05\r\n"
                     L"182/008g000t072p041r012P041b09644h48/Prev. nuvoloso/WS23xx/192W"},
         }) {
        EXPECT_EQ(text(main, shown.id), shown.text) << "control " << shown.id;
    }

    // Timer1's tick runs the next cycle.
    std::filesystem::remove(toFsPath(inOut("my_meteo.txt")));
    SendMessageW(main, WM_TIMER, kTimer1, 0);
    EXPECT_TRUE(waitFor([&] { return !report().empty(); }));
}

TEST_F(WindowsProgram, ClosingTheFolderDialogOnAFirstRunEndsTheProgram) {
    const WindowProgram program(root.path());
    const HWND folders = program.window(L"Configurazione File");
    ASSERT_NE(folders, nullptr);
    PostMessageW(folders, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.ended(10000));
    EXPECT_FALSE(std::filesystem::exists(toFsPath(config)));
}

TEST_F(WindowsProgram, SettingsDialogsStoreOnlyTheirLine) {
    writeConfig(configLines());
    const WindowProgram program(root.path());
    const HWND main = program.window(L"Brezzolo");
    ASSERT_NE(main, nullptr);

    struct Case {
        int menuItem;
        const wchar_t* title;
        std::vector<std::string> afterOk;
    };
    for (const Case& c : {
             Case{.menuItem = Stringa_APRS,
            .title = L"Setup Parametri",
            .afterOk = configLines("1", "2")},
             Case{.menuItem = Pressione,
             .title = L"Setup Pressione",
             .afterOk = configLines("1", "2", "2")},
         }) {
        SCOPED_TRACE(std::filesystem::path(c.title).string());
        // The marks shown, a click on an option and "OK" reaching the presenter.
        ASSERT_TRUE(chooseMenu(main, c.menuItem));
        const HWND dialog = program.window(c.title);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(isChecked(dialog, Option1));
        ASSERT_TRUE(click(dialog, Option2));
        EXPECT_TRUE(isChecked(dialog, Option2));
        EXPECT_FALSE(isChecked(dialog, Option1));
        ASSERT_TRUE(click(dialog, OKButton));
        EXPECT_FALSE(IsWindowVisible(dialog));
        EXPECT_EQ(storedSettings(), crlf(c.afterOk));
    }

    // The About box: the core's texts; "OK" unloads it.
    ASSERT_TRUE(chooseMenu(main, About));
    const HWND about = program.window(L"Informazioni su " + wide(version::applicationTitle));
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(text(about, lblVersion), L"Versione " + wide(version::dotted));
    // Wine has no system information viewer: the box says so, titled with the program's name.
    clickLater(about, cmdSysInfo);
    const HWND unavailable = program.window(wide(version::applicationTitle));
    ASSERT_NE(unavailable, nullptr);
    EXPECT_EQ(staticTexts(unavailable),
              std::vector<std::wstring>{L"Le informazioni sul sistema non sono attualmente "
                                        L"disponibili."});
    ASSERT_TRUE(click(unavailable, IDOK));
    ASSERT_TRUE(click(about, cmdOK));
    EXPECT_TRUE(waitFor([&] { return !IsWindow(about); }));
}

TEST_F(WindowsProgram, UserMessageKeepsTwentyCharactersTypedOrPasted) {
    writeConfig(configLines());
    const WindowProgram program(root.path());
    const HWND main = mainWindowAfterCycle(program);
    ASSERT_NE(main, nullptr);
    const HWND message = GetDlgItem(main, Text2);

    // 25 characters, 6 of them outside ASCII: the first 20 stay.
    ASSERT_TRUE(putOnClipboard(L"Città àèìòù 73 da IZ3ABC!"));
    SendMessageW(message, WM_PASTE, 0, 0);
    EXPECT_EQ(text(message), L"Città àèìòù 73 da IZ");

    // With Check1 on, the next cycle sends it.
    ASSERT_TRUE(click(main, Check1));
    EXPECT_TRUE(isChecked(main, Check1));
    SendMessageW(main, WM_TIMER, kTimer1, 0);
    EXPECT_NE(report().find("/Citt\xE0 \xE0\xE8\xEC\xF2\xF9 73 da IZ"), std::string::npos);
}

TEST_F(WindowsProgram, ChartOptionRedraws) {
    writeConfig(configLines());
    const WindowProgram program(root.path());
    const HWND main = mainWindowAfterCycle(program);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(isChecked(main, Option1));
    const std::wstring pressureBars = text(main, MSChart1);

    ASSERT_TRUE(click(main, Option2));
    EXPECT_TRUE(isChecked(main, Option2));
    EXPECT_FALSE(isChecked(main, Option1));
    EXPECT_EQ(text(main, Label28), L"Andamento della temperatura esterna (ultime 12 ore)");
    EXPECT_NE(text(main, MSChart1), pressureBars);
}

// "APRS-IS / CWOP": the dialog's texts; a bad value named and nothing written; the connection
// test's answer and the upload's outcome fetched on the window's thread; the status line shown
// only once aprs-is.brz exists.
TEST_F(WindowsProgram, AprsIsDialogStoresGoodSettingsAndTheStatusLineFollowsTheUpload) {
    writeConfig(configLines());
    const std::string stored = root.file("aprs-is.brz");
    const WindowProgram program(root.path());
    const HWND main = mainWindowAfterCycle(program);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(main, StatusAprsIs)));

    ASSERT_TRUE(chooseMenu(main, APRS_IS));
    const HWND dialog = program.window(L"Setup APRS-IS / CWOP");
    ASSERT_NE(dialog, nullptr);
    struct Shown {
        int id;
        const wchar_t* text;
    };
    for (const Shown& shown : {
             // A few of the core's texts, as wiring checks.
             Shown{.id = chkEnabled, .text = L"Abilita invio ad APRS-IS / CWOP"},
             Shown{.id = lblLatitude, .text = L"Latitudine (gradi decimali, nord positivo)"},
             Shown{.id = txtServer, .text = L"rotate.aprs2.net:14580"},
             Shown{.id = cmdTest, .text = L"Prova connessione"},
         }) {
        EXPECT_EQ(text(dialog, shown.id), shown.text) << "control " << shown.id;
    }

    // A latitude beyond the pole: named in a warning, nothing written, the dialog stays.
    const test::AprsIsTestServer aprsIs;
    ASSERT_TRUE(click(dialog, chkEnabled));
    EXPECT_TRUE(isChecked(dialog, chkEnabled));
    setText(dialog, txtCallsign, L"FW1234");
    setText(dialog, txtPasscode, L"-1");
    setText(dialog, txtServer, L"127.0.0.1:" + std::to_wstring(aprsIs.port()));
    setText(dialog, txtLatitude, L"91");
    setText(dialog, txtLongitude, L"12.4883");
    clickLater(dialog, cmdOK);
    const HWND warning = program.window(L"ATTENZIONE");
    ASSERT_NE(warning, nullptr);
    ASSERT_EQ(staticTexts(warning).size(), 1U);
    EXPECT_TRUE(
        staticTexts(warning)[0].starts_with(L"Impostazioni APRS-IS non salvate:\nLatitudine: "));
    ASSERT_TRUE(click(warning, IDOK));
    EXPECT_TRUE(waitFor([&] { return !IsWindow(warning); }));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_FALSE(std::filesystem::exists(toFsPath(stored)));

    // "Prova connessione": busy until the poll timer brings the server's answer.
    ASSERT_TRUE(click(dialog, cmdTest));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, cmdTest)));
    EXPECT_TRUE(waitFor([&] { return text(dialog, lblTestResult).ends_with(L"server TESTSRV"); }))
        << std::filesystem::path(text(dialog, lblTestResult)).string();
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, cmdTest)));

    setText(dialog, txtLatitude, L"41.8917");
    ASSERT_TRUE(click(dialog, cmdOK));
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_TRUE(std::filesystem::exists(toFsPath(stored)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(main, StatusAprsIs)));
    EXPECT_TRUE(text(main, StatusAprsIs).starts_with(L"APRS-IS: "));

    // The next cycle uploads its reading; the outcome reaches the status line.
    SendMessageW(main, WM_TIMER, kTimer1, 0);
    ASSERT_TRUE(aprsIs.waitForSessions(2));
    ASSERT_EQ(aprsIs.packets().size(), 1U);
    EXPECT_TRUE(aprsIs.packets()[0].starts_with("FW1234>APZBRZ,TCPIP*:/"));
    EXPECT_TRUE(waitFor([&] { return text(main, StatusAprsIs).ends_with(L"(127.0.0.1)"); }))
        << std::filesystem::path(text(main, StatusAprsIs)).string();
}

// "Radio / TNC": the identity and the TNC typed, "Prova TNC" against a listening TNC, "OK"
// writes tnc.brz and aprs-is.brz, and the next cycle's transmission reaches the status line.
TEST_F(WindowsProgram, RadioDialogChecksTheTncAndTheStatusLineFollowsTheTransmission) {
    writeConfig(configLines());
    const WindowProgram program(root.path());
    const HWND main = mainWindowAfterCycle(program);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(main, StatusRadio)));

    ASSERT_TRUE(chooseMenu(main, Radio));
    const HWND dialog = program.window(L"Radio / TNC");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(text(dialog, chkEnabled), L"Abilita trasmissione via radio");
    EXPECT_EQ(text(dialog, lblRadioFields), L"Nominativo con SSID (IZ0ABC-13)");
    EXPECT_EQ(text(dialog, txtRadioFields + 4), L"127.0.0.1:8001");  // the address
    EXPECT_TRUE(isChecked(dialog, optTcp));

    const test::LoopbackListener tnc;  // takes connections without answering, as a KISS TNC
    const std::wstring address = L"127.0.0.1:" + std::to_wstring(tnc.port());
    ASSERT_TRUE(click(dialog, chkEnabled));
    setText(dialog, txtRadioFields + 0, L"IZ0ABC-13");
    setText(dialog, txtRadioFields + 1, L"41.8917");
    setText(dialog, txtRadioFields + 2, L"12.4883");
    setText(dialog, txtRadioFields + 4, address);
    ASSERT_TRUE(click(dialog, cmdTest));
    EXPECT_TRUE(waitFor([&] {
        return text(dialog, lblTestResult).starts_with(L"Il TNC risponde");
    })) << std::filesystem::path(text(dialog, lblTestResult)).string();

    ASSERT_TRUE(click(dialog, cmdOK));
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_TRUE(std::filesystem::exists(toFsPath(root.file("tnc.brz"))));
    EXPECT_TRUE(std::filesystem::exists(toFsPath(root.file("aprs-is.brz"))));
    SendMessageW(main, WM_TIMER, kTimer1, 0);
    EXPECT_TRUE(waitFor([&] { return text(main, StatusRadio).ends_with(L"(" + address + L")"); }))
        << std::filesystem::path(text(main, StatusRadio)).string();
    EXPECT_TRUE(text(main, StatusRadio).starts_with(L"Radio: ultimo invio "));
}

// "Stazione": the menu item opens it with the files of Heavy Weather chosen; the cable with a
// typed port is written to station.brz by "OK".
TEST_F(WindowsProgram, StationDialogWritesTheChosenSource) {
    writeConfig(configLines());
    const WindowProgram program(root.path());
    const HWND main = mainWindowAfterCycle(program);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(main, StatusStation)));

    ASSERT_TRUE(chooseMenu(main, Stazione));
    const HWND dialog = program.window(L"Stazione");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(text(dialog, optSerial), L"Cavo seriale");
    EXPECT_EQ(text(dialog, cmdRead), L"Leggi la stazione ora");
    EXPECT_EQ(text(dialog, txtPoll), L"15");
    EXPECT_TRUE(isChecked(dialog, optFiles));

    ASSERT_TRUE(click(dialog, optSerial));
    EXPECT_TRUE(isChecked(dialog, optSerial) && !isChecked(dialog, optFiles));
    setComboText(dialog, cboPort, L"COM7");
    ASSERT_TRUE(click(dialog, cmdOK));
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(readFileBytes(root.file("station.brz")),
              crlf({"source=serial", "port=COM7", "poll=15"}));
}

}  // namespace
}  // namespace brezzolo
