// The folder dialog "Configurazione": loading, the lists, "ESCI" and closing.

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>
#include <filesystem>

#include "common/paths.h"
#include "common/text_file.h"
#include "config/folder_dialog.h"
#include "config/folder_lists.h"
#include "config/message_box_answer.h"
#include "support/temp_folder.h"

using namespace brezzolo;
using brezzolo::test::crlf;
using brezzolo::test::MessageBoxAnswer;
using brezzolo::test::readFileBytes;
using brezzolo::test::TempFolder;
using brezzolo::test::writeFileBytes;

namespace {

const QString kPlaceholder = QStringLiteral("NON DEFINITO");

QString native(const std::string& path) {
    return QDir::toNativeSeparators(QString::fromStdString(path));
}

std::string makeFolder(const TempFolder& tmp, const std::string& name) {
    const std::string path = tmp.file(name);
    std::filesystem::create_directories(toFsPath(path));
    return path;
}

QLineEdit* field(const Configurazione& dialog, const char* name) {
    return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
}

QListWidget* fileList(const Configurazione& dialog) {
    return dialog.findChild<QListWidget*>(QStringLiteral("File1"));
}

QTreeWidget* folderList(const Configurazione& dialog, const char* name) {
    return dialog.findChild<QTreeWidget*>(QString::fromLatin1(name));
}

void pressEsci(const Configurazione& dialog) {
    dialog.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
}

QStringList texts(const QListWidget* widget) {
    QStringList result;
    for (int i = 0; i < widget->count(); ++i) {
        result << widget->item(i)->text();
    }
    return result;
}

QString currentFolder(const QTreeWidget* dir) {
    return dir->currentItem()->data(0, kFolderPathRole).toString();
}

// Opens a folder in a folder list as a double click does.
void activateFolder(QTreeWidget* dir, const QString& folder) {
    for (QTreeWidgetItemIterator it(dir); *it != nullptr; ++it) {
        if ((*it)->data(0, kFolderPathRole).toString() == folder) {
            emit dir->itemActivated(*it, 0);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no folder item ") + folder));
}

struct Spies {
    explicit Spies(Configurazione& dialog)
        : timer(&dialog, &Configurazione::timerEnabledRequested),
          chart(&dialog, &Configurazione::chartChoiceMarked),
          showMain(&dialog, &Configurazione::showMainWindowRequested),
          abandoned(&dialog, &Configurazione::firstRunAbandoned) {}

    bool lastTimer() const { return timer.last().at(0).toBool(); }

    QSignalSpy timer;
    QSignalSpy chart;
    QSignalSpy showMain;
    QSignalSpy abandoned;
};

std::string sixLines(const std::string& hw, const std::string& out,
                     const std::string& line3 = "1") {
    return crlf({"1", "1", line3, hw, out, "history.dat"});
}

}  // namespace

class FolderDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void firstRunRefusesPlaceholdersThenCreatesTheFile();
    void esciKeepsTheStoredSettingsByteForByte_data();
    void esciKeepsTheStoredSettingsByteForByte();
    void loadMarksTheChartFromLineThree_data();
    void loadMarksTheChartFromLineThree();
    void loadOpensTheListsAtTheNearestExistingFolder();
    void folderListsWriteTheFieldsAndRefreshTheFileList();
    void theCycleReadsTheFieldsAsTheyAreNow();
    void closingTheFrameOnAFirstRunEndsTheProgram();
    void closingTheFrameLaterDropsUnstoredEdits();
    void unwritableConfigurationKeepsTheDialogOpen_data();
    void unwritableConfigurationKeepsTheDialogOpen();
};

void FolderDialogTest::firstRunRefusesPlaceholdersThenCreatesTheFile() {
    TempFolder tmp;
    const std::string hw = makeFolder(tmp, "hw");
    const std::string out = makeFolder(tmp, "out");
    const std::string config = tmp.file("config.brz");
    Configurazione dialog(nullptr, config);
    Spies spies(dialog);
    MessageBoxAnswer answer;

    dialog.setFirstRun(true);
    dialog.load();
    dialog.show();
    for (const char* name : {"Text1", "Text2", "Text3"}) {
        QCOMPARE(field(dialog, name)->text(), kPlaceholder);
    }
    QCOMPARE(spies.timer.count(), 1);
    QCOMPARE(spies.lastTimer(), false);
    QCOMPARE(spies.chart.count(), 0);

    // Refused while any field still holds the placeholder; nothing is written.
    pressEsci(dialog);
    field(dialog, "Text1")->setText(native(hw));
    field(dialog, "Text2")->setText(native(out));
    pressEsci(dialog);
    QCOMPARE(answer.seen().size(), std::size_t{2});
    QCOMPARE(answer.seen()[1].text, QStringLiteral("Cartelle non selezionate"));
    QCOMPARE(answer.seen()[1].title, QStringLiteral("ATTENZIONE"));
    QCOMPARE(answer.seen()[1].icon, QMessageBox::Information);
    QVERIFY(!fileExists(config));
    QVERIFY(dialog.isVisible());
    QCOMPARE(spies.showMain.count(), 0);
    QCOMPARE(spies.lastTimer(), false);

    field(dialog, "Text3")->setText(QStringLiteral("history.dat"));
    pressEsci(dialog);
    QCOMPARE(answer.seen().size(), std::size_t{2});
    QCOMPARE(readFileBytes(config), sixLines(native(hw).toStdString(), native(out).toStdString()));
    QCOMPARE(spies.chart.count(), 1);
    QCOMPARE(spies.chart.last().at(0).toInt(), 1);
    QCOMPARE(spies.showMain.count(), 1);
    QCOMPARE(spies.lastTimer(), true);
    QVERIFY(!dialog.isVisible());

    // With the file written, the frame no longer ends the program.
    dialog.show();
    dialog.close();
    QCOMPARE(spies.abandoned.count(), 0);
}

void FolderDialogTest::esciKeepsTheStoredSettingsByteForByte_data() {
    QTest::addColumn<QStringList>("stored");  // lines 1 to 3
    QTest::addColumn<QString>("text2");
    QTest::newRow("chosen settings") << QStringList{"3", "2", "2"} << "out";
    QTest::newRow("odd lines kept as they are") << QStringList{" 1", "relativa", ""} << "out";
    QTest::newRow("an emptied field is an empty line") << QStringList{"2", "1", "1"} << "";
    QTest::newRow("blanks kept") << QStringList{"1", "2", "1"} << "  out  ";
}

void FolderDialogTest::esciKeepsTheStoredSettingsByteForByte() {
    QFETCH(QStringList, stored);
    QFETCH(QString, text2);
    TempFolder tmp;
    const std::string hw = makeFolder(tmp, "hw");
    const std::string config = tmp.file("config.brz");
    std::vector<std::string> lines;
    for (const QString& line : stored) {
        lines.push_back(line.toStdString());
    }
    lines.insert(lines.end(), {"old hw", "old out", "old.dat"});
    writeFileBytes(config, crlf(lines));
    Configurazione dialog(nullptr, config);
    Spies spies(dialog);
    MessageBoxAnswer answer;
    dialog.load();
    const auto chartMarks = spies.chart.count();

    field(dialog, "Text1")->setText(native(hw));
    field(dialog, "Text2")->setText(text2);
    field(dialog, "Text3")->setText(QStringLiteral("history.dat"));
    pressEsci(dialog);

    QVERIFY(answer.seen().empty());
    lines.resize(3);
    lines.insert(lines.end(), {native(hw).toStdString(), text2.toStdString(), "history.dat"});
    QCOMPARE(readFileBytes(config), crlf(lines));
    QCOMPARE(spies.chart.count(), chartMarks);  // only a first run marks the chart at "ESCI"
    QCOMPARE(spies.showMain.count(), 1);
    QCOMPARE(spies.lastTimer(), true);
}

void FolderDialogTest::loadMarksTheChartFromLineThree_data() {
    QTest::addColumn<QString>("line3");
    QTest::addColumn<int>("marked");  // 0: the selector is left alone
    QTest::newRow("pressure") << "1" << 1;
    QTest::newRow("not a number reads as zero") << "abc" << 1;
    QTest::newRow("numerically two") << " 2.0" << 2;
    QTest::newRow("out of range") << "3" << 0;
}

void FolderDialogTest::loadMarksTheChartFromLineThree() {
    QFETCH(QString, line3);
    QFETCH(int, marked);
    TempFolder tmp;
    const std::string config = tmp.file("config.brz");
    writeFileBytes(config, sixLines(tmp.path(), tmp.path(), line3.toStdString()));
    Configurazione dialog(nullptr, config);
    Spies spies(dialog);

    dialog.load();
    dialog.load();  // loads once

    QCOMPARE(spies.timer.count(), 1);
    QCOMPARE(spies.lastTimer(), false);
    if (marked == 0) {
        QCOMPARE(spies.chart.count(), 0);
    } else {
        QCOMPARE(spies.chart.count(), 1);
        QCOMPARE(spies.chart.last().at(0).toInt(), marked);
    }
}

void FolderDialogTest::loadOpensTheListsAtTheNearestExistingFolder() {
    TempFolder tmp;
    const std::string hw = makeFolder(tmp, "hw");
    writeFileBytes(hw + "/history.dat", "");
    const std::string gone = tmp.file("gone") + "/deeper";
    const std::string config = tmp.file("config.brz");
    writeFileBytes(config, crlf({"1", "1", "1", gone, hw, "storico.dat"}));
    Configurazione dialog(nullptr, config);

    dialog.load();

    // The fields keep the stored texts; only the lists fall back.
    QCOMPARE(field(dialog, "Text1")->text(), QString::fromStdString(gone));
    QCOMPARE(field(dialog, "Text2")->text(), QString::fromStdString(hw));
    QCOMPARE(field(dialog, "Text3")->text(), QStringLiteral("storico.dat"));
    QCOMPARE(currentFolder(folderList(dialog, "Dir1")), native(tmp.path()));
    QCOMPARE(currentFolder(folderList(dialog, "Dir2")), native(hw));
    QCOMPARE(fileList(dialog)->count(), 0);  // nothing to list in a missing folder
}

void FolderDialogTest::folderListsWriteTheFieldsAndRefreshTheFileList() {
    TempFolder tmp;
    const std::string hw = makeFolder(tmp, "hw");
    const std::string out = makeFolder(tmp, "out");
    makeFolder(tmp, "hw/sub");
    for (const char* name : {"history.dat", "B.DAT", "notes.txt", "a.dat"}) {
        writeFileBytes(hw + "/" + name, "");
    }
    writeFileBytes(tmp.file("top.dat"), "");
    const std::string config = tmp.file("config.brz");
    writeFileBytes(config, crlf({"1", "1", "1", tmp.path(), tmp.path(), "old.dat"}));
    Configurazione dialog(nullptr, config);
    dialog.load();
    QTreeWidget* dir1 = folderList(dialog, "Dir1");
    QListWidget* file1 = fileList(dialog);
    QCOMPARE(texts(file1), QStringList{QStringLiteral("top.dat")});

    // Opening a subfolder: Text1 follows and the file list shows its "*.dat" files.
    activateFolder(dir1, native(hw));
    QCOMPARE(field(dialog, "Text1")->text(), native(hw));
    QCOMPARE(currentFolder(dir1), native(hw));
    QCOMPARE(texts(file1), (QStringList{"a.dat", "B.DAT", "history.dat"}));
    QCOMPARE(field(dialog, "Text3")->text(), QStringLiteral("old.dat"));
    QCOMPARE(field(dialog, "Text2")->text(), native(tmp.path()));

    // A click on a file names it in Text3.
    emit file1->itemClicked(file1->findItems(QStringLiteral("history.dat"), Qt::MatchExactly)[0]);
    QCOMPARE(field(dialog, "Text3")->text(), QStringLiteral("history.dat"));
    QCOMPARE(file1->currentItem()->text(), QStringLiteral("history.dat"));

    // The chain above the current folder is the way up.
    activateFolder(dir1, native(tmp.path()));
    QCOMPARE(field(dialog, "Text1")->text(), native(tmp.path()));
    QCOMPARE(texts(file1), QStringList{QStringLiteral("top.dat")});

    // Group 2 writes only Text2.
    activateFolder(folderList(dialog, "Dir2"), native(out));
    QCOMPARE(field(dialog, "Text2")->text(), native(out));
    QCOMPARE(field(dialog, "Text1")->text(), native(tmp.path()));
}

void FolderDialogTest::theCycleReadsTheFieldsAsTheyAreNow() {
    TempFolder tmp;
    const std::string config = tmp.file("config.brz");
    writeFileBytes(config, sixLines("stored hw", "stored out"));
    Configurazione dialog(nullptr, config);
    Spies spies(dialog);

    // Reading before anything loaded the dialog loads it.
    QCOMPARE(dialog.heavyWeatherFolder(), std::string("stored hw"));
    QCOMPARE(dialog.historyFileName(), std::string("history.dat"));
    QVERIFY(dialog.isLoaded());
    QCOMPARE(spies.timer.count(), 1);

    // Edits count at once, before "ESCI", and come out as UTF-8.
    field(dialog, "Text1")->setText(QStringLiteral("C:\\Città"));
    field(dialog, "Text3")->setText(QStringLiteral("storico.dat"));
    QCOMPARE(dialog.heavyWeatherFolder(), std::string("C:\\Citt\xc3\xa0"));
    QCOMPARE(dialog.historyFileName(), std::string("storico.dat"));
    QCOMPARE(readFileBytes(config), sixLines("stored hw", "stored out"));
}

void FolderDialogTest::closingTheFrameOnAFirstRunEndsTheProgram() {
    TempFolder tmp;
    const std::string config = tmp.file("config.brz");
    Configurazione dialog(nullptr, config);
    Spies spies(dialog);
    dialog.setFirstRun(true);
    dialog.load();
    dialog.show();

    QTest::keyClick(&dialog, Qt::Key_Escape);  // no cancel button: Escape does nothing
    QVERIFY(dialog.isVisible());
    QCOMPARE(spies.abandoned.count(), 0);

    dialog.close();
    QCOMPARE(spies.abandoned.count(), 1);
    QVERIFY(!fileExists(config));
}

void FolderDialogTest::closingTheFrameLaterDropsUnstoredEdits() {
    TempFolder tmp;
    const std::string config = tmp.file("config.brz");
    writeFileBytes(config, sixLines("stored hw", "stored out"));
    Configurazione dialog(nullptr, config);
    Spies spies(dialog);
    MessageBoxAnswer answer;
    dialog.load();

    // Without "ESCI" the timer was never stopped, so closing leaves it alone.
    dialog.show();
    field(dialog, "Text1")->setText(QStringLiteral("typed"));
    dialog.close();
    QCOMPARE(field(dialog, "Text1")->text(), QStringLiteral("stored hw"));
    QCOMPARE(spies.timer.count(), 1);

    // A refused "ESCI" stops the timer; closing then drops the edits and restarts it.
    dialog.show();
    field(dialog, "Text2")->setText(kPlaceholder);
    field(dialog, "Text3")->setText(QStringLiteral("typed.dat"));
    pressEsci(dialog);
    QCOMPARE(answer.seen().size(), std::size_t{1});
    QCOMPARE(spies.lastTimer(), false);
    dialog.close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(field(dialog, "Text2")->text(), QStringLiteral("stored out"));
    QCOMPARE(dialog.historyFileName(), std::string("history.dat"));
    QCOMPARE(spies.lastTimer(), true);
    QCOMPARE(spies.abandoned.count(), 0);
    QCOMPARE(spies.showMain.count(), 0);
    QCOMPARE(readFileBytes(config), sixLines("stored hw", "stored out"));
}

void FolderDialogTest::unwritableConfigurationKeepsTheDialogOpen_data() {
    QTest::addColumn<bool>("existing");
    QTest::newRow("first run, folder is a file") << false;
    QTest::newRow("existing file") << true;
}

void FolderDialogTest::unwritableConfigurationKeepsTheDialogOpen() {
    QFETCH(bool, existing);
    TempFolder tmp;
    std::string config;
    if (existing) {
        config = tmp.file("config.brz");
        writeFileBytes(config, sixLines("stored hw", "stored out"));
        // Every rewrite goes through a temporary file beside the target; a folder in its
        // place makes the write fail, for root too.
        std::filesystem::create_directories(toFsPath(config + ".brz-new"));
    } else {
        writeFileBytes(tmp.file("plain"), "");
        config = tmp.file("plain") + "/config.brz";
    }
    Configurazione dialog(nullptr, config);
    Spies spies(dialog);
    MessageBoxAnswer answer;
    dialog.setFirstRun(!existing);
    dialog.load();
    dialog.show();
    for (const char* name : {"Text1", "Text2", "Text3"}) {
        field(dialog, name)->setText(QStringLiteral("chosen"));
    }

    pressEsci(dialog);

    QCOMPARE(answer.seen().size(), std::size_t{1});
    QCOMPARE(answer.seen()[0].text, QString::fromUtf8(kConfigNotSavedMessage));
    QCOMPARE(answer.seen()[0].title, QStringLiteral("ATTENZIONE"));
    QVERIFY(dialog.isVisible());
    QCOMPARE(spies.showMain.count(), 0);
    QCOMPARE(spies.chart.count(), existing ? 1 : 0);  // the load's marking only
    // A running program goes on cycling; a first run has nothing to run on yet.
    QCOMPARE(spies.lastTimer(), existing);
    if (existing) {
        QCOMPARE(readFileBytes(config), sixLines("stored hw", "stored out"));
    }
}

QTEST_MAIN(FolderDialogTest)
#include "folder_dialog_test.moc"
