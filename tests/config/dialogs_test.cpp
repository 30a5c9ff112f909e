// The report mode and pressure type dialogs, the About box and the program's icon.

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "common/paths.h"
#include "config/about_box.h"
#include "config/message_box_answer.h"
#include "config/program_icon.h"
#include "config/settings_dialogs.h"
#include "support/temp_folder.h"

using namespace brezzolo;
using brezzolo::test::crlf;
using brezzolo::test::MessageBoxAnswer;
using brezzolo::test::readFileBytes;
using brezzolo::test::TempFolder;
using brezzolo::test::writeFileBytes;

namespace {

std::unique_ptr<OptionLineDialog> makeDialog(const QString& which, const std::string& config) {
    if (which == QStringLiteral("Setup_Parametri")) {
        return std::make_unique<Setup_Parametri>(nullptr, config);
    }
    return std::make_unique<Setup_Pressione>(nullptr, config);
}

QRadioButton* option(const QDialog& dialog, int number) {
    return dialog.findChild<QRadioButton*>(QStringLiteral("Option%1").arg(number));
}

// The number of the one marked option; 0 when none or several are marked.
int markedOption(const QDialog& dialog) {
    int marked = 0;
    for (int number = 1; option(dialog, number) != nullptr; ++number) {
        if (option(dialog, number)->isChecked()) {
            marked = marked == 0 ? number : -1;
        }
    }
    return marked < 0 ? 0 : marked;
}

void press(const QDialog& dialog, const char* button) {
    dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

// Lines ended by LF only: a file the dialog leaves alone keeps them, a rewrite would not.
std::string untouchedText(const std::string& line1, const std::string& line2) {
    return line1 + "\n" + line2 + "\n1\nhw\n\nhistory.dat\n";
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void textsOfTheSettingsDialogs_data();
    void textsOfTheSettingsDialogs();
    void loadingRepairsAnInvalidLine_data();
    void loadingRepairsAnInvalidLine();
    void okStoresOnlyItsOwnLine_data();
    void okStoresOnlyItsOwnLine();
    void cancelStoresNothingAndKeepsTheSelection();
    void failedWriteIsReported();
    void aboutBoxTexts();
    void aboutBoxClosesAndDeletesItself_data();
    void aboutBoxClosesAndDeletesItself();
    void systemInformationUnavailable();
    void programIconHasEverySize();
};

void DialogsTest::textsOfTheSettingsDialogs_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("labels");  // Label1, then Option1, Option2, ...
    QTest::newRow("report mode") << QStringLiteral("Setup_Parametri")
                                 << QStringLiteral("Setup Parametri")
                                 << QStringList{"Configurazione stringa APRS",
                                                "Invia previsione meteo", "Invia situazione locale",
                                                "Non inviare condizioni meteo"};
    QTest::newRow("pressure type")
        << QStringLiteral("Setup_Pressione") << QStringLiteral("Setup Pressione")
        << QStringList{"Selezione Tipo Pressione", "Pressione Assoluta", "Pressione Relativa"};
}

void DialogsTest::textsOfTheSettingsDialogs() {
    QFETCH(QString, which);
    QFETCH(QString, caption);
    QFETCH(QStringList, labels);
    TempFolder tmp;
    writeFileBytes(tmp.file("config.brz"), crlf({"1", "1", "1", "hw", "out", "history.dat"}));
    const auto dialog = makeDialog(which, tmp.file("config.brz"));

    QCOMPARE(dialog->objectName(), which);
    QCOMPARE(dialog->windowTitle(), caption);
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text(), labels[0]);
    for (int number = 1; number < labels.size(); ++number) {
        QCOMPARE(option(*dialog, number)->text(), labels[number]);
    }
    QCOMPARE(option(*dialog, static_cast<int>(labels.size())), nullptr);
    QCOMPARE(dialog->findChild<QPushButton*>(QStringLiteral("OKButton"))->text(),
             QStringLiteral("OK"));
    QCOMPARE(dialog->findChild<QPushButton*>(QStringLiteral("CancelButton"))->text(),
             QStringLiteral("Annulla"));
}

void DialogsTest::loadingRepairsAnInvalidLine_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line2");
    QTest::addColumn<int>("marked");
    QTest::addColumn<bool>("repaired");
    // clang-format off
    QTest::newRow("mode 1")              << "Setup_Parametri" << "1"  << "x"        << 1 << false;
    QTest::newRow("mode 3")              << "Setup_Parametri" << "3"  << "x"        << 3 << false;
    QTest::newRow("mode 5")              << "Setup_Parametri" << "5"  << "2"        << 1 << true;
    QTest::newRow("mode with a blank")   << "Setup_Parametri" << " 2" << "2"        << 1 << true;
    QTest::newRow("mode empty")          << "Setup_Parametri" << ""   << "2"        << 1 << true;
    QTest::newRow("pressure 2")          << "Setup_Pressione" << "7"  << "2"        << 2 << false;
    QTest::newRow("pressure 3")          << "Setup_Pressione" << "2"  << "3"        << 1 << true;
    QTest::newRow("pressure lower case") << "Setup_Pressione" << "2"  << "relativa" << 1 << true;
    // clang-format on
}

void DialogsTest::loadingRepairsAnInvalidLine() {
    QFETCH(QString, which);
    QFETCH(QString, line1);
    QFETCH(QString, line2);
    QFETCH(int, marked);
    QFETCH(bool, repaired);
    TempFolder tmp;
    const std::string config = tmp.file("config.brz");
    const std::string stored = untouchedText(line1.toStdString(), line2.toStdString());
    writeFileBytes(config, stored);
    MessageBoxAnswer answer;

    const auto dialog = makeDialog(which, config);

    QCOMPARE(markedOption(*dialog), marked);
    QVERIFY(answer.seen().empty());
    if (!repaired) {
        QCOMPARE(readFileBytes(config), stored);
        return;
    }
    // At once, before "OK" or "Annulla": the one line becomes "1", the others stay as read.
    const bool mode = which == QStringLiteral("Setup_Parametri");
    QCOMPARE(readFileBytes(config),
             crlf({mode ? "1" : line1.toStdString(), mode ? line2.toStdString() : "1", "1", "hw",
                   "", "history.dat"}));
}

void DialogsTest::okStoresOnlyItsOwnLine_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("line");
    QTest::newRow("local situation") << "Setup_Parametri" << 2 << 1;
    QTest::newRow("no weather comment") << "Setup_Parametri" << 3 << 1;
    QTest::newRow("relative pressure") << "Setup_Pressione" << 2 << 2;
    QTest::newRow("absolute pressure") << "Setup_Pressione" << 1 << 2;
}

void DialogsTest::okStoresOnlyItsOwnLine() {
    QFETCH(QString, which);
    QFETCH(int, choice);
    QFETCH(int, line);
    TempFolder tmp;
    const std::string config = tmp.file("config.brz");
    std::vector<std::string> lines = {"1", "2", " 2 ", "C:\\Meteo", "", "history.dat"};
    writeFileBytes(config, crlf(lines));
    const auto dialog = makeDialog(which, config);
    dialog->show();

    option(*dialog, choice)->click();
    press(*dialog, "OKButton");

    lines[static_cast<std::size_t>(line - 1)] = std::to_string(choice);
    QCOMPARE(readFileBytes(config), crlf(lines));
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->chosenValue(), std::to_string(choice));
}

void DialogsTest::cancelStoresNothingAndKeepsTheSelection() {
    TempFolder tmp;
    const std::string config = tmp.file("config.brz");
    const std::string stored = untouchedText("1", "1");
    writeFileBytes(config, stored);
    Setup_Parametri dialog(nullptr, config);
    dialog.show();

    option(dialog, 2)->click();
    press(dialog, "CancelButton");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(readFileBytes(config), stored);

    // The next showing presents the unsaved selection; the file is not read again.
    writeFileBytes(config, untouchedText("3", "1"));
    dialog.show();
    QCOMPARE(markedOption(dialog), 2);

    // Escape and the frame cancel as well.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(readFileBytes(config), untouchedText("3", "1"));
}

void DialogsTest::failedWriteIsReported() {
    TempFolder tmp;
    const std::string config = tmp.file("config.brz");
    writeFileBytes(config, crlf({"1", "1", "1", "hw", "out", "history.dat"}));
    Setup_Pressione dialog(nullptr, config);
    dialog.show();
    MessageBoxAnswer answer;

    // The file turns into a folder: neither readable nor writable as a file, even for root.
    std::filesystem::remove(toFsPath(config));
    std::filesystem::create_directories(toFsPath(config));
    option(dialog, 2)->click();
    press(dialog, "OKButton");

    QCOMPARE(answer.seen().size(), std::size_t{1});
    QCOMPARE(answer.seen()[0].text, QString::fromUtf8(kConfigNotSavedMessage));
    QCOMPARE(answer.seen()[0].title, QStringLiteral("ATTENZIONE"));
    QCOMPARE(answer.seen()[0].icon, QMessageBox::Information);
    QVERIFY(dialog.isVisible());  // the choice is still there to retry or cancel
    QCOMPARE(markedOption(dialog), 2);

    // Loading with nothing to repair into: the same message.
    Setup_Parametri other(nullptr, config);
    QCOMPARE(answer.seen().size(), std::size_t{2});
    QCOMPARE(markedOption(other), 1);
}

void DialogsTest::aboutBoxTexts() {
    frmAbout about;
    const auto label = [&](const char* name) {
        return about.findChild<QLabel*>(QString::fromLatin1(name));
    };
    QCOMPARE(about.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(about.windowTitle(), QStringLiteral("Informazioni su Brezzolo 1.9.2"));
    QCOMPARE(label("lblTitle")->text(), QStringLiteral("Brezzolo 1.9.2"));
    QVERIFY(label("lblTitle")->font().bold());
    QCOMPARE(label("lblVersion")->text(), QStringLiteral("Versione 1.9.2"));
    QCOMPARE(label("lblDescription")->text(),
             QStringLiteral("Programma di elaborazione e conversione dati stazione meteo WS2300 "
                            "verso sistemi APRS (secondo le specifiche APRS Protocol Reference - "
                            "Protocol Version 1.0.1g)"));
    QVERIFY(label("lblDisclaimer")->text().endsWith(QStringLiteral("https://brezzolo.example")));
    QVERIFY(!label("picIcon")->pixmap().isNull());
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(),
             QStringLiteral("&System Info..."));
}

void DialogsTest::aboutBoxClosesAndDeletesItself_data() {
    QTest::addColumn<int>("key");  // 0: a click on "OK"
    QTest::newRow("OK") << 0;
    QTest::newRow("Enter") << static_cast<int>(Qt::Key_Return);
    QTest::newRow("Escape") << static_cast<int>(Qt::Key_Escape);
}

void DialogsTest::aboutBoxClosesAndDeletesItself() {
    QFETCH(int, key);
    QPointer<frmAbout> about = new frmAbout;
    about->show();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    if (key == 0) {
        press(*about, "cmdOK");
    } else {
        QTest::keyClick(about, static_cast<Qt::Key>(key));
    }
    QTRY_VERIFY(about.isNull());
}

void DialogsTest::systemInformationUnavailable() {
    if (QSysInfo::productType() == QStringLiteral("windows")) {
        QSKIP("Windows starts the real viewer");
    }
    frmAbout about;
    about.show();
    MessageBoxAnswer answer;
    press(about, "cmdSysInfo");
    QCOMPARE(answer.seen().size(), std::size_t{1});
    QCOMPARE(answer.seen()[0].text,
             QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili."));
    QCOMPARE(answer.seen()[0].title, QStringLiteral("Brezzolo 1.9.2"));
    QVERIFY(about.isVisible());
}

void DialogsTest::programIconHasEverySize() {
    const QIcon icon = programIcon();
    QVERIFY(!icon.isNull());
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QVERIFY2(icon.availableSizes().contains(QSize(size, size)),
                 qPrintable(QString::number(size)));
        QCOMPARE(icon.pixmap(size, size).size(), QSize(size, size));
    }
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
