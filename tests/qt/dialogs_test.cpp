// The dialogs on Qt: their elements with their names and texts, and each kind of event
// reaching its presenter. What the dialogs decide is tested on the presenters.

#include <QtTest>
#include <QtWidgets>
#include <filesystem>

#include "common/text_file.h"
#include "qt/about_box.h"
#include "qt/aprs_is_dialog.h"
#include "qt/folder_dialog.h"
#include "qt/main_window.h"
#include "qt/message_boxes.h"
#include "qt/program_icon.h"
#include "qt/radio_dialog.h"
#include "qt/settings_dialogs.h"
#include "qt/station_dialog.h"
#include "support/aprs_is_test_server.h"
#include "support/loopback_listener.h"
#include "support/temp_folder.h"

using namespace brezzolo;
using namespace brezzolo::test;

namespace {

QString textOf(const QObject& parent, const char* name) {
    return parent.findChild<QWidget*>(name)->property("text").toString();
}

QDialog* dialogNamed(const Brezzolo& window, const char* name) {
    return window.findChild<QDialog*>(name);
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // A first run: the folder dialog alone, its lists and fields driven as a user would.
    void folderDialog() {
        TempFolder work, hw, out;
        WorkingFolder here(work.path());
        for (const char* name : {"b.DAT", "a.dat", "notes.txt"}) {
            writeFileBytes(hw.file(name), "x");
        }
        Brezzolo window;
        QVERIFY(window.start());
        auto* dialog = window.findChild<Configurazione*>();
        QVERIFY(dialog->isVisible() && !window.isVisible());
        QCOMPARE(dialog->windowTitle(), "Configurazione File");
        const char* const texts[][2] = {
            {"Label1",
             "Disco e cartella di installazione del programma Heavy Weather rel. 2.0 beta"},
            {"Label2", "Disco e cartella dove salvare la stringa APRS my_meteo.txt"},
            {"Label6", "File history.dat utilizzato dal programma Heavy Weather rel. 2.0 beta"},
            {"Label3", "1)"},
            {"Label4", "2)"},
            {"Label5", "3)"},
            {"Command2", "ESCI"},
            {"Text1", "NON DEFINITO"},
            {"Text2", "NON DEFINITO"},
            {"Text3", "NON DEFINITO"}};
        for (const auto& [name, text] : texts) {
            QCOMPARE(textOf(*dialog, name), QString::fromUtf8(text));
        }
        for (const char* list : {"Drive1", "Dir1", "Drive2", "Dir2", "File1"}) {
            QVERIFY2(dialog->findChild<QWidget*>(list), list);
        }

        QCOMPARE(boxesDuring([&] { dialog->findChild<QPushButton*>("Command2")->click(); }),
                 QStringList{"ATTENZIONE: Cartelle non selezionate"});

        // A folder opened in the list of group 1 lists its "*.dat" files; a click picks one.
        auto* dir1 = dialog->findChild<QTreeWidget*>("Dir1");
        const QString hwName = QFileInfo(QString::fromStdString(hw.path())).fileName();
        // The list opens at the working folder; its parent holds the Heavy Weather folder.
        const QString parent = QFileInfo(QString::fromStdString(hw.path())).dir().dirName();
        const auto parentItem = dir1->findItems(parent, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(!parentItem.isEmpty());
        emit dir1->itemActivated(parentItem[0], 0);
        // One click chooses a folder: a first-time user need not know about double clicks.
        const auto found = dir1->findItems(hwName, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(!found.isEmpty() && QTest::qWaitForWindowExposed(dialog));
        dir1->scrollToItem(found[0]);
        QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {},
                          dir1->visualItemRect(found[0]).center());
        QCOMPARE(textOf(*dialog, "Text1"),
                 QDir::toNativeSeparators(QString::fromStdString(hw.path())));
        auto* file1 = dialog->findChild<QListWidget*>("File1");
        QCOMPARE(file1->count(), 2);
        QCOMPARE(file1->item(0)->text(), "a.dat");
        emit file1->itemClicked(file1->item(1));
        QCOMPARE(textOf(*dialog, "Text3"), "b.DAT");

        // Typing reaches the presenter as well.
        auto* text2 = dialog->findChild<QLineEdit*>("Text2");
        text2->selectAll();
        QTest::keyClicks(text2, QString::fromStdString(out.path()));
        dialog->findChild<QPushButton*>("Command2")->click();
        QCOMPARE(readFileBytes(work.file("config.brz")),
                 crlf({"1", "1", "1", hw.path(), out.path(), "b.DAT"}));
        QVERIFY(!dialog->isVisible() && window.isVisible());
        // The first cycle follows 100 ms later.
        auto* timer = window.findChild<QTimer*>("Timer1");
        QVERIFY(timer->isActive() && timer->interval() == 100);
    }

    void settingsDialogs() {
        TempFolder work;
        WorkingFolder here(work.path());
        writeFileBytes(work.file("config.brz"), crlf({"1", "1", "1", "hw", "out", "history.dat"}));
        Brezzolo window;
        QVERIFY(window.start());
        const struct {
            const char* item;
            const char* name;
            const char* texts;  // caption, Label1, the options, OK, Annulla
            std::vector<std::string> stored;
        } dialogs[] = {
            {"Stringa_APRS",
             "Setup_Parametri",
             "Setup Parametri|Configurazione stringa APRS|Invia previsione meteo|"
             "Invia situazione locale|Non inviare condizioni meteo|OK|Annulla",
             {"2", "1", "1", "hw", "out", "history.dat"}},
            {"Pressione",
             "Setup_Pressione",
             "Setup Pressione|Selezione Tipo Pressione|Pressione Assoluta|Pressione Relativa|OK|"
             "Annulla",
             {"2", "2", "1", "hw", "out", "history.dat"}},
        };
        for (const auto& d : dialogs) {
            window.findChild<QAction*>(d.item)->trigger();
            QDialog* dialog = dialogNamed(window, d.name);
            QVERIFY(dialog && dialog->isVisible());
            QStringList shown{dialog->windowTitle(), textOf(*dialog, "Label1")};
            for (const auto* button : dialog->findChildren<QAbstractButton*>()) {
                shown << button->text();
            }
            QCOMPARE(shown.join('|'), QString::fromUtf8(d.texts));
            dialog->findChild<QRadioButton*>("Option2")->click();
            dialog->findChild<QPushButton*>("OKButton")->click();
            QVERIFY(!dialog->isVisible());
            QCOMPARE(readFileBytes(work.file("config.brz")), crlf(d.stored));
            // Escape is "Annulla": hidden, and it stays hidden through the next refresh.
            window.findChild<QAction*>(d.item)->trigger();
            QTest::keyClick(dialog, Qt::Key_Escape);
            window.refresh();
            QVERIFY(!dialog->isVisible());
        }
    }

    // "APRS-IS / CWOP": the dialog's elements, typing and "OK" reaching the presenter, and the
    // status line that appears once the upload is switched on.
    void aprsIsDialog() {
        TempFolder work;
        WorkingFolder here(work.path());
        writeFileBytes(work.file("config.brz"), crlf({"1", "1", "1", "hw", "out", "history.dat"}));
        Brezzolo window;
        QVERIFY(window.start());
        auto* status = window.findChild<QLabel*>("StatusAprsIs");
        QVERIFY(status && status->text().isEmpty() && window.statusBar()->isHidden());

        window.findChild<QAction*>("APRS_IS")->trigger();
        auto* dialog = window.findChild<AprsIsDialog*>("Setup_APRS_IS");
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), "Setup APRS-IS / CWOP");
        // A few of the core's texts, as wiring checks.
        const char* const texts[][2] = {
            {"chkEnabled", "Abilita invio ad APRS-IS / CWOP"},
            {"lblLatitude", "Latitudine (gradi decimali, nord positivo)"},
            {"txtServer", "rotate.aprs2.net:14580"},
            {"cmdTest", "Prova connessione"}};
        for (const auto& [name, text] : texts) {
            QCOMPARE(textOf(*dialog, name), QString::fromUtf8(text));
        }

        QTest::keyClicks(dialog->findChild<QLineEdit*>("txtCallsign"), "FW1234");
        QCOMPARE(window.presenter().aprsIsDialog().model().txtCallsign, std::string("FW1234"));
        dialog->findChild<QCheckBox*>("chkEnabled")->click();
        const QStringList boxes =
            boxesDuring([&] { dialog->findChild<QPushButton*>("cmdOK")->click(); });
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].startsWith("ATTENZIONE: Impostazioni APRS-IS non salvate:\nPasscode: "),
                 qPrintable(boxes[0]));
        QVERIFY(dialog->isVisible() && !fileExists(work.file("aprs-is.brz")));

        for (const auto& [name, text] : {std::pair{"txtPasscode", "-1"},
                                         {"txtLatitude", "41.8917"},
                                         {"txtLongitude", "12.4883"}}) {
            QTest::keyClicks(dialog->findChild<QLineEdit*>(name), text);
        }
        dialog->findChild<QPushButton*>("cmdOK")->click();
        QVERIFY(!dialog->isVisible() && fileExists(work.file("aprs-is.brz")));
        QCOMPARE(status->text(), "APRS-IS: attivo, nessun invio finora");
        QVERIFY(!window.statusBar()->isHidden());

        // The connection test's answer arrives through the window's poll timer.
        window.findChild<QAction*>("APRS_IS")->trigger();
        AprsIsTestServer aprsIs;
        auto* server = dialog->findChild<QLineEdit*>("txtServer");
        server->selectAll();
        QTest::keyClicks(server, QStringLiteral("127.0.0.1:%1").arg(aprsIs.port()));
        dialog->findChild<QPushButton*>("cmdTest")->click();
        QVERIFY(!dialog->findChild<QPushButton*>("cmdTest")->isEnabled());
        QTRY_VERIFY(textOf(*dialog, "lblTestResult").endsWith("verified, server TESTSRV"));
        QVERIFY(dialog->findChild<QPushButton*>("cmdTest")->isEnabled());
        QVERIFY(!window.findChild<QTimer*>("BackgroundPoll")->isActive());

        // Escape is "Annulla": hidden, and it stays hidden through the next refresh.
        window.findChild<QAction*>("APRS_IS")->trigger();
        QVERIFY(dialog->isVisible());
        QTest::keyClick(dialog, Qt::Key_Escape);
        window.refresh();
        QVERIFY(!dialog->isVisible());
    }

    // "Radio / TNC": the identity and the TNC reach the presenter, "Prova TNC" answers through
    // the poll timer, "OK" writes tnc.brz, and the radio's line stands below the upload's.
    void radioDialog() {
        TempFolder work;
        WorkingFolder here(work.path());
        writeFileBytes(work.file("config.brz"), crlf({"1", "1", "1", "hw", "out", "history.dat"}));
        Brezzolo window;
        QVERIFY(window.start());
        window.findChild<QAction*>("Radio")->trigger();
        auto* dialog = window.findChild<RadioDialog*>("Setup_Radio");
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), "Radio / TNC");
        const char* const texts[][2] = {{"chkEnabled", "Abilita trasmissione via radio"},
                                        {"optTcp", "TNC in rete (KISS TCP, Dire Wolf)"},
                                        {"lblPath", "Percorso (WIDE2-1, WIDE1-1,WIDE2-1 o vuoto)"},
                                        {"txtAddress", "127.0.0.1:8001"},
                                        {"txtPath", "WIDE2-1"},
                                        {"txtInterval", "30"},
                                        {"cmdTest", "Prova TNC"}};
        for (const auto& [name, text] : texts) {
            QCOMPARE(textOf(*dialog, name), QString::fromUtf8(text));
        }
        QVERIFY(textOf(*dialog, "lblHint").contains("licenza"));

        LoopbackListener tnc;
        auto* address = dialog->findChild<QLineEdit*>("txtAddress");
        address->selectAll();
        QTest::keyClicks(address, QStringLiteral("127.0.0.1:%1").arg(tnc.port()));
        dialog->findChild<QPushButton*>("cmdTest")->click();
        QTRY_VERIFY(textOf(*dialog, "lblTestResult").startsWith("Il TNC risponde"));

        dialog->findChild<QCheckBox*>("chkEnabled")->click();
        for (const auto& [name, text] : {std::pair{"txtCallsign", "IZ0ABC-13"},
                                         {"txtLatitude", "41.8917"},
                                         {"txtLongitude", "12.4883"}}) {
            QTest::keyClicks(dialog->findChild<QLineEdit*>(name), text);
        }
        dialog->findChild<QRadioButton*>("optSerial")->click();
        QVERIFY(window.presenter().radioDialog().model().optSerial);
        dialog->findChild<QRadioButton*>("optTcp")->click();
        dialog->findChild<QPushButton*>("cmdOK")->click();
        QVERIFY(!dialog->isVisible() && fileExists(work.file("tnc.brz")));
        QCOMPARE(window.findChild<QLabel*>("StatusRadio")->text(),
                 "Radio: attivo, nessun invio finora");
    }

    // "Stazione": the menu item opens it, the source and a typed port reach the presenter,
    // "OK" writes station.brz; the station's status line shows above the upload's.
    void stationDialog() {
        TempFolder work;
        WorkingFolder here(work.path());
        writeFileBytes(work.file("config.brz"), crlf({"1", "1", "1", "hw", "out", "history.dat"}));
        Brezzolo window;
        QVERIFY(window.start());
        auto* status = window.findChild<QLabel*>("StatusStation");
        QVERIFY(status && status->isHidden() && window.statusBar()->isHidden());

        window.findChild<QAction*>("Stazione")->trigger();
        auto* dialog = window.findChild<StationDialog*>("Stazione");
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), "Stazione");
        const char* const texts[][2] = {
            {"optSerial", "Cavo seriale"}, {"txtPoll", "15"}, {"cmdRead", "Leggi la stazione ora"}};
        for (const auto& [name, text] : texts) {
            QCOMPARE(textOf(*dialog, name), QString::fromUtf8(text));
        }
        QVERIFY(dialog->findChild<QRadioButton*>("optFiles")->isChecked());

        dialog->findChild<QRadioButton*>("optSerial")->click();
        QLineEdit* port = dialog->findChild<QComboBox*>("cboPort")->lineEdit();
        port->selectAll();
        QTest::keyClicks(port, "COM7");
        dialog->findChild<QPushButton*>("cmdOK")->click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(readFileBytes(work.file("station.brz")),
                 crlf({"source=serial", "port=COM7", "poll=15"}));

        // "OK" starts the link on the port just stored, and its line shows below the window.
        window.refresh();
        QVERIFY(!status->isHidden() && !window.statusBar()->isHidden());
        QVERIFY(status->text().startsWith("Stazione: ") && status->text().contains("COM7"));
        QVERIFY(window.findChild<QLabel*>("StatusAprsIs")->isHidden());
    }

    void aboutBoxAndIcon() {
        TempFolder work;
        WorkingFolder here(work.path());
        writeFileBytes(work.file("config.brz"), crlf({"1", "1", "1", "hw", "out", "history.dat"}));
        Brezzolo window;
        QVERIFY(window.start());
        window.findChild<QAction*>("About")->trigger();
        QPointer<frmAbout> about = window.findChild<frmAbout*>();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->windowTitle(), "Informazioni su Brezzolo 1.9.2");
        QCOMPARE(textOf(*about, "lblTitle"), "Brezzolo 1.9.2");
        QCOMPARE(textOf(*about, "lblVersion"), "Versione 1.9.2");
        QVERIFY(textOf(*about, "lblDescription").startsWith("Programma di elaborazione"));
        QVERIFY(
            textOf(*about, "lblDisclaimer").endsWith("licenza GNU GPL versione 3 o successiva."));
        QCOMPARE(textOf(*about, "cmdSysInfo"), "&System Info...");
        QCOMPARE(boxesDuring([&] { about->findChild<QPushButton*>("cmdSysInfo")->click(); }),
                 QStringList{"Brezzolo 1.9.2: Le informazioni sul sistema non sono "
                             "attualmente disponibili."});
        // "OK" unloads the box; the next click builds another.
        about->findChild<QPushButton*>("cmdOK")->click();
        QTRY_VERIFY(about.isNull());
        window.findChild<QAction*>("About")->trigger();
        QVERIFY(window.findChild<frmAbout*>() && window.findChild<frmAbout*>()->isVisible());
        QCOMPARE(programIcon().availableSizes(),
                 (QList<QSize>{
                     {16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
