#pragma once

// The identifiers of the windows' elements, each named after its element, so that the
// program and its tests find an element as the start-up tables name it: GetDlgItem(window,
// Label2). Names shared by several windows (Label1, Text1, Option1, ...) have one identifier;
// each window has its own children.

namespace brezzolo::win32 {

// The window classes, fixed so that other programs (the tests) can find the windows; the
// windows' titles are the core's captions.
// "Brezzolo", "Configurazione File", "Setup Parametri" and "Setup Pressione", "Informazioni su
// Brezzolo 1.9.2", "Setup APRS-IS / CWOP", "Stazione", "Pagina web", "Radio / TNC".
inline constexpr const wchar_t* kMainWindowClass = L"BrezzoloMainWindow";
inline constexpr const wchar_t* kFolderDialogClass = L"BrezzoloConfigurazione";
inline constexpr const wchar_t* kSettingsDialogClass = L"BrezzoloSetup";
inline constexpr const wchar_t* kAboutBoxClass = L"BrezzoloAbout";
inline constexpr const wchar_t* kAprsIsDialogClass = L"BrezzoloAprsIs";
inline constexpr const wchar_t* kStationDialogClass = L"BrezzoloStation";
inline constexpr const wchar_t* kWebDialogClass = L"BrezzoloWeb";
inline constexpr const wchar_t* kRadioDialogClass = L"BrezzoloRadio";

// The window timer that drives the cycles, and the short one that collects the worker
// threads' results (an upload, a connection test) while one is under way.
inline constexpr unsigned kTimer1 = 1;
inline constexpr unsigned kBackgroundPoll = 2;

// Identifiers stay clear of IDOK (1) and IDCANCEL (2), which Enter and Escape send.
// clang-format off
enum Control : int {
    Label1 = 1001, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10,
    Label11, Label12, Label13, Label14, Label15, Label16, Label17, Label18, Label19, Label20,
    Label21, Label22, Label23, Label24, Label25, Label26, Label27, Label28, Label29, Label30,
    Label31, Label32, Label33, Label34, Label35, Label36, Label37,
    // The main window: the report, the user message, the chart selector, the exit button,
    // the chart and the four extreme indicators.
    Text1 = 1101, Text2, Text3,
    Check1 = 1111,
    Option1 = 1121, Option2, Option3,
    Command1 = 1131, Command2,
    MSChart1 = 1141,
    Shape1 = 1151, Shape2, Shape3, Shape4,
    // The folder dialog "Configurazione File": drives, folders and the history files.
    Drive1 = 1161, Drive2,
    Dir1 = 1171, Dir2,
    File1 = 1181,
    // The settings dialogs.
    OKButton = 1191, CancelButton,
    // The About box "frmAbout".
    cmdOK = 1201, cmdSysInfo, picIcon, lblTitle, lblVersion, lblDescription, lblDisclaimer, Line1,
    // The main window's status lines: the APRS-IS upload's state and the station link's, each
    // hidden while it has none.
    StatusAprsIs = 1211, StatusStation, StatusRadio,
    // "Setup APRS-IS / CWOP" (and its cmdOK): the switch, the seven fields in the order of
    // aprsIsDialogFields() with their labels, the connection test and its answer.
    lblHeading = 1221, lblHint, chkEnabled, lblTestResult, cmdTest, cmdCancel,
    txtCallsign = 1231, txtPasscode, txtServer, txtLatitude, txtLongitude, txtInterval, txtComment,
    lblCallsign = 1241, lblPasscode, lblServer, lblLatitude, lblLongitude, lblInterval, lblComment,
    // "Stazione" (and its lblHeading, cmdOK, cmdCancel): the source, the port list, the poll
    // seconds, the reading on demand and its outcome.
    optFiles = 1251, optSerial, lblPort, cboPort, lblPoll, txtPoll, cmdRead, lblReadResult,
    // "Pagina web" (with lblHeading, lblHint, chkEnabled, cmdOK and cmdCancel): the folder, the
    // last cycle's outcome and the button that opens the page.
    lblFolder = 1261, txtFolder, lblStatus, cmdOpen,
    // "Radio / TNC" (with lblHeading, lblHint, chkEnabled, optSerial, lblTestResult, cmdTest,
    // cmdOK and cmdCancel): the TNC on the network, and the nine fields with their labels, each
    // at its place in radioDialogFields() from these.
    optTcp = 1271,
    txtRadioFields = 1281,
    lblRadioFields = 1291,
};
// clang-format on

// Label<n>.
constexpr int label(int number) {
    return Label1 + number - 1;
}

// The menu items of the main window, sent as WM_COMMAND.
enum MenuItem : int {
    Cartelle = 2001,  // File > Cartelle di lavoro
    Esci,             // File > Esci
    Stringa_APRS,     // Parametri > Stringa APRS
    Pressione,        // Parametri > Pressione
    About,            // About
    APRS_IS,          // Parametri > APRS-IS / CWOP
    Stazione,         // Parametri > Stazione
    Web,              // Parametri > Pagina web
    Radio,            // Parametri > Radio / TNC
};

}  // namespace brezzolo::win32
