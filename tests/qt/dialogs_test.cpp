// The folder dialog, the report mode and pressure type dialogs, the About box and the icon.

#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <memory>
#include <utility>

#include "common/paths.h"
#include "common/text_file.h"
#include "qt/about_box.h"
#include "qt/folder_dialog.h"
#include "qt/folder_lists.h"
#include "qt/program_icon.h"
#include "qt/settings_dialogs.h"
#include "support/temp_folder.h"

using namespace brezzolo;
using namespace brezzolo::test;

namespace {

const QString kNotSaved = "ATTENZIONE: " + QString::fromUtf8(kConfigNotSavedMessage);

// "title: text" of every message box answered since the test began.
QStringList boxes;
// What the folder dialog asked of the main window, in order, since watch().
QStringList asked;

void watch(Configurazione& dialog) {
    asked.clear();
    QObject::connect(&dialog, &Configurazione::timerEnabledRequested, &dialog,
                     [](bool on) { asked << (on ? "timer on" : "timer off"); });
    QObject::connect(&dialog, &Configurazione::chartChoiceMarked, &dialog,
                     [](int choice) { asked << QStringLiteral("chart %1").arg(choice); });
    QObject::connect(&dialog, &Configurazione::showMainWindowRequested, &dialog,
                     [] { asked << "main window"; });
    QObject::connect(&dialog, &Configurazione::firstRunAbandoned, &dialog,
                     [] { asked << "abandoned"; });
}

QString native(const std::string& path) {
    return QDir::toNativeSeparators(QString::fromStdString(path));
}

// Every rewrite goes through a temporary file beside the target; a folder in its place makes
// the write fail, for root too.
std::filesystem::path blockRewrite(const std::string& config) {
    const auto temporary = toFsPath(config + ".brz-new");
    std::filesystem::create_directories(temporary);
    return temporary;
}

// The text of a field, label or button.
QString textOf(const QObject& parent, const char* name) {
    return parent.findChild<QWidget*>(name)->property("text").toString();
}

// Text1, Text2 and Text3 in turn.
void fill(const QDialog& dialog, const QStringList& texts) {
    for (int i = 0; i < texts.size(); ++i) {
        dialog.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(i + 1))->setText(texts[i]);
    }
}

void press(const QDialog& dialog, const char* button) {
    dialog.findChild<QPushButton*>(button)->click();
}

QStringList fileNames(const QDialog& dialog) {
    QStringList names;
    for (const auto* item :
         dialog.findChild<QListWidget*>("File1")->findItems("*", Qt::MatchWildcard)) {
        names << item->text();
    }
    return names;
}

// Opens a folder shown in a folder list as a double click does.
void openFolder(const QDialog& dialog, const char* list, const std::string& folder) {
    auto* dir = dialog.findChild<QTreeWidget*>(list);
    const auto found =
        dir->findItems(QFileInfo(native(folder)).fileName(), Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY(!found.isEmpty());
    emit dir->itemActivated(found[0], 0);
}

std::unique_ptr<OptionLineDialog> makeDialog(int line, const std::string& config) {
    return line == kReportModeLine
               ? std::unique_ptr<OptionLineDialog>(new Setup_Parametri(nullptr, config))
               : std::unique_ptr<OptionLineDialog>(new Setup_Pressione(nullptr, config));
}

QRadioButton* option(const QDialog& dialog, int number) {
    return dialog.findChild<QRadioButton*>(QStringLiteral("Option%1").arg(number));
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

  private slots:
    // Every modal message box is answered with OK as soon as it shows, so no test waits on one.
    void initTestCase() {
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes << box->windowTitle() + ": " + box->text();
                box->accept();
            }
        });
        timer->start(10);
    }
    void init() { boxes.clear(); }

    void firstRunRefusesPlaceholdersThenCreatesTheFile() {
        TempFolder tmp;
        const QStringList chosen{"C:\\HW", "D:\\APRS", "history.dat"};
        const std::string config = tmp.file("config.brz");
        Configurazione dialog(nullptr, config);
        watch(dialog);
        dialog.setFirstRun(true);
        dialog.load();
        dialog.show();
        QCOMPARE(textOf(dialog, "Text2"), "NON DEFINITO");

        // Refused while any one field still holds the placeholder.
        for (int left = 0; left < 3; ++left) {
            QStringList texts = chosen;
            texts[left] = "NON DEFINITO";
            fill(dialog, texts);
            press(dialog, "Command2");
        }
        // Unwritable: the dialog stays open and the timer off, there is nothing to run on yet.
        const auto blocked = blockRewrite(config);
        fill(dialog, chosen);
        press(dialog, "Command2");
        // Escape does nothing (there is no cancel button); the frame ends the program.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        dialog.close();
        QCOMPARE(boxes, QStringList(3, "ATTENZIONE: Cartelle non selezionate") << kNotSaved);
        QVERIFY(!fileExists(config));
        QCOMPARE(std::exchange(asked, {}), QStringList(5, "timer off") << "abandoned");

        std::filesystem::remove(blocked);
        dialog.show();
        press(dialog, "Command2");
        QVERIFY(!dialog.isVisible());
        dialog.show();
        dialog.close();  // with the file written, the frame no longer ends the program
        QCOMPARE(readFileBytes(config), crlf({"1", "1", "1", "C:\\HW", "D:\\APRS", "history.dat"}));
        QCOMPARE(boxes.size(), 4);
        QCOMPARE(asked, (QStringList{"timer off", "chart 1", "main window", "timer on"}));
    }

    void laterUsesKeepTheStoredLines() {
        TempFolder tmp;
        const std::string hw = tmp.file("hw"), gone = tmp.file("gone/x");
        std::filesystem::create_directories(toFsPath(hw + "/sub.dat"));  // a folder: not listed
        for (const char* name : {"hw/history.dat", "hw/B.DAT", "hw/x.txt", "hw/a.dat", "top.dat"}) {
            writeFileBytes(tmp.file(name), "");
        }
        const std::string config = tmp.file("config.brz");
        const std::string stored = crlf({" 1", "relativa", " 2.0", gone, tmp.path(), "old.dat"});
        writeFileBytes(config, stored);
        Configurazione dialog(nullptr, config);
        watch(dialog);

        // Reading a field before anything loaded the dialog loads it; later loads do nothing.
        // Line 3 is read numerically here.
        QCOMPARE(dialog.heavyWeatherFolder(), gone);
        dialog.load();
        QCOMPARE(std::exchange(asked, {}), (QStringList{"timer off", "chart 2"}));
        // The field keeps the stored text; only the lists fall back to the nearest existing folder.
        auto* dir1 = dialog.findChild<QTreeWidget*>("Dir1");
        QCOMPARE(dir1->currentItem()->data(0, kFolderPathRole).toString(), native(tmp.path()));
        QCOMPARE(fileNames(dialog), QStringList{});  // nothing to list in a missing folder

        // Opening a folder names it in Text1 and lists its "*.dat" files, any case; a click on a
        // file names it in Text3. The cycle reads the fields as they are now.
        dialog.show();
        openFolder(dialog, "Dir1", hw);
        QCOMPARE(dialog.heavyWeatherFolder(), native(hw).toStdString());
        QCOMPARE(fileNames(dialog), (QStringList{"a.dat", "B.DAT", "history.dat"}));
        auto* files = dialog.findChild<QListWidget*>("File1");
        emit files->itemClicked(files->item(2));
        QCOMPARE(dialog.historyFileName(), "history.dat");
        // The chain above the current folder is the way up; group 2 writes only Text2.
        openFolder(dialog, "Dir1", tmp.path());
        openFolder(dialog, "Dir2", hw);
        QCOMPARE(fileNames(dialog), QStringList{"top.dat"});
        QCOMPARE(textOf(dialog, "Text1"), native(tmp.path()));
        QCOMPARE(textOf(dialog, "Text2"), native(hw));

        // A refused "ESCI" stops the timer; closing then drops the edits and restarts it.
        fill(dialog, {QStringLiteral("C:\\Città"), "NON DEFINITO"});
        QCOMPARE(dialog.heavyWeatherFolder(), "C:\\Citt\xc3\xa0");  // UTF-8
        press(dialog, "Command2");
        dialog.close();
        QCOMPARE(dialog.heavyWeatherFolder(), gone);
        QCOMPARE(dialog.historyFileName(), "old.dat");
        QCOMPARE(std::exchange(asked, {}), (QStringList{"timer off", "timer on"}));

        // Unwritable: a running program goes on cycling and the dialog stays open.
        dialog.show();
        fill(dialog, {"x", "", " history.dat "});
        const auto blocked = blockRewrite(config);
        press(dialog, "Command2");
        QVERIFY(dialog.isVisible());
        QCOMPARE(readFileBytes(config), stored);
        QCOMPARE(boxes, QStringList{"ATTENZIONE: Cartelle non selezionate"} << kNotSaved);
        QCOMPARE(std::exchange(asked, {}), (QStringList{"timer off", "timer on"}));

        // The fields are stored as they are (blanks kept, empty allowed), lines 1 to 3 untouched;
        // only a first run marks the chart at "ESCI".
        std::filesystem::remove(blocked);
        press(dialog, "Command2");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(readFileBytes(config), crlf({" 1", "relativa", " 2.0", "x", "", " history.dat "}));
        QCOMPARE(asked, (QStringList{"timer off", "main window", "timer on"}));
    }

    void settingsDialogs_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("stored");  // on lines 1 and 2
        QTest::addColumn<int>("marked");
        QTest::addColumn<QString>("texts");  // caption, Label1, the options
        QTest::newRow("report mode, a blank is no value")
            << 1 << " 2" << 1
            << "Setup Parametri|Configurazione stringa APRS|Invia previsione meteo|"
               "Invia situazione locale|Non inviare condizioni meteo";
        QTest::newRow("pressure type")
            << 2 << "2" << 2
            << "Setup Pressione|Selezione Tipo Pressione|Pressione Assoluta|Pressione Relativa";
    }

    void settingsDialogs() {
        QFETCH(int, line);
        QFETCH(QString, stored);
        QFETCH(int, marked);
        QFETCH(QString, texts);
        TempFolder tmp;
        const std::string config = tmp.file("config.brz"), value = stored.toStdString();
        // Lines ended by LF only: a file the dialog leaves alone keeps them, a rewrite would not.
        const std::string lf = value + "\n" + value + "\n1\nhw\n\nhistory.dat\n";
        writeFileBytes(config, lf);
        std::vector<std::string> lines = {value, value, "1", "hw", "", "history.dat"};
        auto& own = lines[static_cast<std::size_t>(line - 1)];
        const auto dialog = makeDialog(line, config);
        QStringList shown{dialog->windowTitle(), textOf(*dialog, "Label1")};
        for (const auto* button : dialog->findChildren<QAbstractButton*>()) {
            shown << button->text();
        }
        QCOMPARE(shown.join('|'), texts + "|OK|Annulla");

        // A value that is not one of the dialog's own is shown and stored as "1" at once.
        QVERIFY(option(*dialog, marked)->isChecked());
        own = "1";
        QCOMPARE(readFileBytes(config), stored == QString::number(marked) ? lf : crlf(lines));

        // "OK" stores the option's number on the dialog's own line only.
        const auto last = static_cast<int>(dialog->findChildren<QRadioButton*>().size());
        dialog->show();
        option(*dialog, last)->click();
        press(*dialog, "OKButton");
        QVERIFY(!dialog->isVisible());
        own = std::to_string(last);
        QCOMPARE(readFileBytes(config), crlf(lines));

        // "Annulla" stores nothing; the next showing keeps the unsaved selection.
        dialog->show();
        option(*dialog, 1)->click();
        press(*dialog, "CancelButton");
        QVERIFY(!dialog->isVisible());
        dialog->show();
        QVERIFY(option(*dialog, 1)->isChecked());
        QCOMPARE(readFileBytes(config), crlf(lines));

        // A failed "OK" keeps the dialog open with the choice; a failed repair at loading is
        // reported too. A folder in the file's place can be neither read nor written.
        std::filesystem::remove(toFsPath(config));
        std::filesystem::create_directories(toFsPath(config));
        press(*dialog, "OKButton");
        QVERIFY(dialog->isVisible() && option(*dialog, 1)->isChecked());
        QVERIFY(option(*makeDialog(line, config), 1)->isChecked());
        QCOMPARE(boxes, QStringList(2, kNotSaved));
    }

    void aboutBoxAndIcon() {
        frmAbout about;
        QCOMPARE(about.windowTitle(), "Informazioni su Brezzolo 1.9.2");
        QCOMPARE(textOf(about, "lblTitle"), "Brezzolo 1.9.2");
        QCOMPARE(textOf(about, "lblVersion"), "Versione 1.9.2");
        QCOMPARE(textOf(about, "lblDescription"),
                 "Programma di elaborazione e conversione dati stazione meteo WS2300 verso sistemi "
                 "APRS (secondo le specifiche APRS Protocol Reference - Protocol Version 1.0.1g)");
        QVERIFY(textOf(about, "lblDisclaimer").endsWith("https://brezzolo.example"));
        QCOMPARE(textOf(about, "cmdOK"), "OK");
        QCOMPARE(textOf(about, "cmdSysInfo"), "&System Info...");
        if (QSysInfo::productType() != "windows") {  // Windows starts the real viewer
            press(about, "cmdSysInfo");
            QCOMPARE(boxes, QStringList{"Brezzolo 1.9.2: Le informazioni sul sistema non sono "
                                        "attualmente disponibili."});
        }
        QCOMPARE(programIcon().availableSizes(),
                 (QList<QSize>{
                     {16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
