#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <chrono>
#include <filesystem>

#include "app/chart_view.h"
#include "app/indicator_shape.h"
#include "app/main_window.h"
#include "app/qt_colour.h"
#include "common/text_file.h"
#include "config/about_box.h"
#include "config/folder_dialog.h"
#include "config/settings_dialogs.h"
#include "support/current_data_builder.h"
#include "version.h"
#include "window_test_support.h"

using namespace brezzolo;
using namespace brezzolo::test;

namespace {

// The text an element shows, whatever kind of element it is.
QString shownText(QMainWindow& window, const QString& name) {
    if (auto* label = element<QLabel>(window, name)) {
        return label->text();
    }
    if (auto* button = element<QAbstractButton>(window, name)) {
        return button->text();
    }
    if (auto* menu = element<QMenu>(window, name)) {
        return menu->title();
    }
    if (auto* action = element<QAction>(window, name)) {
        return action->text();
    }
    return QStringLiteral("<no element %1>").arg(name);
}

// Types the text key by key, accented letters included.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
    }
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() {
        station_ = std::make_unique<Station>();
        station_->writeConfig();
        here_ = std::make_unique<WorkingFolder>(station_->work.path());
    }
    void cleanup() {
        here_.reset();
        station_.reset();
    }

    void startTexts_data();
    void startTexts();
    void startState();
    void userMessageKeepsTwentyCharacters_data();
    void userMessageKeepsTwentyCharacters();
    void chartSelectorStoresOnlyChanges();
    void chartSelectorReportsUnsavedChoice();
    void cycleFillsThePanel();
    void oldConfigurationIsAnnounced();
    void menuShowsTheDialogs();
    void waysOut_data();
    void waysOut();

  private:
    std::unique_ptr<Station> station_;
    std::unique_ptr<WorkingFolder> here_;
};

void MainWindowTest::startTexts_data() {
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, const QString& text) { QTest::newRow(name) << text; };
    row("Label1", "Conversione dati da stazione meteorologica WS23xx a UI-View");
    row("Label2", "Lettura dati meteo in corso ...");
    row("Label3", QStringLiteral("Rel. 1.9.2 W") +
                      QString::fromUtf8(startTexts::authorCredit.data(),
                                        static_cast<qsizetype>(startTexts::authorCredit.size())));
    row("Label4", "Condizioni attuali:");
    row("Label5", "Tendenza:    in fase di aggiornamento");
    row("Label6", "T ext:");
    row("Label7", "Hrel ext:");
    row("Label8", "Dewpoint:");
    row("Label9", "Windchill:");
    row("Label10", "Vento:");
    row("Label11", "Direzione:");
    row("Label12", "Condizioni - Previsioni - Segnalazioni");
    row("Label13", "Totali:");
    row("Label14", "24H:");
    row("Label15", "1H:");
    row("Label16", "Pressione:");
    row("Label17", "Allarme temporale:");
    for (const char* empty : {"Label18", "Label19", "Label24", "Label25", "Label26", "Label27",
                              "Label28", "Label29", "Label33", "Label36", "Label37", "Check1"}) {
        row(empty, QString());
    }
    row("Label20", "Stringa APRS");
    row("Label21", "Valori esterni");
    row("Label22", "Precipitazioni");
    row("Label23", "Valori minimi e massimi odierni");
    row("Label30", "Messaggio Utente");
    row("Label31", "Abilita Messaggio Utente (max 20 caratteri)");
    row("Label32", "Testo");
    row("Label34",
        "-12h          -8h          -4h           -2h           -1h         -30min    -10min    "
        "adesso");
    row("Label35", "Seleziona Grafico");
    row("Option1", "Pressione ");
    row("Option2", "Temperatura ext.");
    row("Command1", "&ESCI");
    row("File", "File");
    row("Cartelle", "Cartelle di lavoro");
    row("Esci", "Esci");
    row("Parametri", "Parametri");
    row("Stringa_APRS", "Stringa APRS");
    row("Pressione", "Pressione");
    row("About", "About");
}

void MainWindowTest::startTexts() {
    QFETCH(QString, text);
    Brezzolo window;
    QVERIFY(window.start());
    QCOMPARE(shownText(window, QString::fromLatin1(QTest::currentDataTag())), text);
}

void MainWindowTest::startState() {
    station_->writeConfig("2");
    Brezzolo window;
    QVERIFY(window.start());
    QVERIFY(window.isVisible());
    QCOMPARE(window.windowTitle(), QStringLiteral("Brezzolo"));
    QVERIFY(element<QPlainTextEdit>(window, "Text1")->isReadOnly());
    QCOMPARE(element<QPlainTextEdit>(window, "Text1")->toPlainText(), QString());
    QCOMPARE(element<QLineEdit>(window, "Text2")->text(), QString());
    QVERIFY(!element<QCheckBox>(window, "Check1")->isChecked());
    QVERIFY(!element<TwelveHourChartView>(window, "MSChart1")->chart()->legend()->isVisible());
    // The folder dialog, loaded hidden, marked the selector from line 3.
    QVERIFY(!element<QRadioButton>(window, "Option1")->isChecked());
    QVERIFY(element<QRadioButton>(window, "Option2")->isChecked());

    const Colour background = fromQColor(window.palette().color(QPalette::Window));
    for (int n = 1; n <= 4; ++n) {
        auto* shape = element<IndicatorShape>(window, QStringLiteral("Shape%1").arg(n));
        QVERIFY(shape);
        QCOMPARE(shape->fillColour(), background);
        QCOMPARE(shape->borderColour(), background + 1);
    }
    // The first cycle follows a tenth of a second after the start.
    auto* timer = element<QTimer>(window, "Timer1");
    QVERIFY(timer && timer->isActive());
    QCOMPARE(timer->interval(), 100);
    // Room on a 1024 x 768 screen for the frame and a task bar.
    QVERIFY(window.width() <= 1000 && window.height() <= 700);
}

void MainWindowTest::userMessageKeepsTwentyCharacters_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("kept");
    QTest::newRow("twenty typed") << "abcdefghijklmnopqrst" << QString() << "abcdefghijklmnopqrst";
    QTest::newRow("21st typed") << "abcdefghijklmnopqrstu" << QString() << "abcdefghijklmnopqrst";
    QTest::newRow("accents count as one") << QString::fromUtf8("àèìòùàèìòùàèìòùàèìòùà") << QString()
                                          << QString::fromUtf8("àèìòùàèìòùàèìòùàèìòù");
    QTest::newRow("30 pasted") << QString() << "123456789012345678901234567890"
                               << "12345678901234567890";
    QTest::newRow("pasted after typed") << "Ciao "
                                        << "123456789012345678901234567890"
                                        << "Ciao 123456789012345";
    QTest::newRow("short paste") << "73 de "
                                 << "IZ1ABC"
                                 << "73 de IZ1ABC";
}

void MainWindowTest::userMessageKeepsTwentyCharacters() {
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, kept);
    Brezzolo window;
    QVERIFY(window.start());
    auto* text2 = element<QLineEdit>(window, "Text2");
    typeText(text2, typed);
    if (!pasted.isEmpty()) {
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keySequence(text2, QKeySequence::Paste);
    }
    QCOMPARE(text2->text(), kept);
    QCOMPARE(QString::fromStdString(window.model().Text2), kept);
}

void MainWindowTest::chartSelectorStoresOnlyChanges() {
    Brezzolo window;
    QVERIFY(window.start());
    auto* option1 = element<QRadioButton>(window, "Option1");
    auto* option2 = element<QRadioButton>(window, "Option2");
    const auto stored = [&] { return readFileBytes(station_->configPath()); };

    // A click on the marked option does not touch the file at all.
    QVERIFY(option1->isChecked());
    const auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
    std::filesystem::last_write_time(station_->configPath(), longAgo);
    QTest::mouseClick(option1, Qt::LeftButton);
    QCOMPARE(std::filesystem::last_write_time(station_->configPath()), longAgo);
    QVERIFY(option1->isChecked());

    QTest::mouseClick(option2, Qt::LeftButton);
    QCOMPARE(stored(), station_->configText("2"));
    QVERIFY(option2->isChecked() && !option1->isChecked());
    QVERIFY(window.model().Option2 && !window.model().Option1);

    QTest::mouseClick(option1, Qt::LeftButton);
    QCOMPARE(stored(), station_->configText("1"));
    QVERIFY(option1->isChecked() && !option2->isChecked());
}

void MainWindowTest::chartSelectorReportsUnsavedChoice() {
    Brezzolo window;
    QVERIFY(window.start());
    // config.brz can no longer be rewritten: the choice is shown, and the user is told.
    std::filesystem::remove(station_->configPath());
    std::filesystem::create_directory(station_->configPath());
    MessageBoxCloser closer;
    QTest::mouseClick(element<QRadioButton>(window, "Option2"), Qt::LeftButton);
    QCOMPARE(closer.seen().size(), std::size_t{1});
    QCOMPARE(closer.seen()[0].title, QStringLiteral("ATTENZIONE"));
    QCOMPARE(closer.seen()[0].text, QString::fromUtf8(kConfigNotSavedMessage));
    QCOMPARE(closer.seen()[0].icon, QMessageBox::Information);
    QVERIFY(element<QRadioButton>(window, "Option2")->isChecked());
}

void MainWindowTest::cycleFillsThePanel() {
    CurrentDataBuilder::typical().writeTo(station_->heavyWeather.file("currdat.lst"));
    Brezzolo window;
    QVERIFY(window.start());
    auto* timer = element<QTimer>(window, "Timer1");

    // Timer1 fires after 100 ms; the cycle then sets the minute rhythm.
    QTRY_COMPARE_WITH_TIMEOUT(timer->interval(), 61502, 5000);
    QVERIFY(timer->isActive());
    QCOMPARE(element<QLabel>(window, "Label2")->text(),
             QString::fromUtf8("Situazione meteo di  lunedì  05 giugno 2006  alle ore 14:05"));
    QCOMPARE(element<QLabel>(window, "Label6")->text(), QString::fromUtf8("T ext:   21.5 °C"));
    QCOMPARE(element<QLabel>(window, "Label18")->text(), QStringLiteral("non attivo"));
    QCOMPARE(element<QLabel>(window, "Label18")->frameShape(), QFrame::NoFrame);
    // Text1 shows the two lines written to my_meteo.txt.
    const auto report = readLines(station_->output.file("my_meteo.txt"));
    QVERIFY(report && report->size() == 2);
    QCOMPARE(element<QPlainTextEdit>(window, "Text1")->toPlainText(),
             QString::fromStdString((*report)[0] + "\n" + (*report)[1]));
}

void MainWindowTest::oldConfigurationIsAnnounced() {
    writeFileBytes(station_->configPath(),
                   crlf({"2", "1", station_->heavyWeather.path(), station_->output.path()}));
    MessageBoxCloser closer;
    Brezzolo window;
    QVERIFY(window.start());
    QCOMPARE(closer.seen().size(), std::size_t{1});
    QCOMPARE(closer.seen()[0].title, QStringLiteral("ATTENZIONE"));
    QCOMPARE(closer.seen()[0].text, QString::fromUtf8(kNewReleaseMessage));
    QVERIFY(window.isVisible());
    QVERIFY(element<QRadioButton>(window, "Option1")->isChecked());
}

void MainWindowTest::menuShowsTheDialogs() {
    Brezzolo window;
    QVERIFY(window.start());
    const auto click = [&](const char* item) {
        element<QAction>(window, QString::fromLatin1(item))->trigger();
        QCoreApplication::processEvents();
    };
    // The folder dialog is the one loaded at start-up; the settings dialogs are built at their
    // first showing and shown again afterwards.
    click("Cartelle");
    QCOMPARE(window.findChildren<Configurazione*>().size(), 1);
    QVERIFY(window.findChild<Configurazione*>()->isVisible());
    click("Stringa_APRS");
    click("Pressione");
    window.findChild<Setup_Parametri*>()->hide();
    click("Stringa_APRS");
    QCOMPARE(window.findChildren<Setup_Parametri*>().size(), 1);
    QVERIFY(window.findChild<Setup_Parametri*>()->isVisible());
    QVERIFY(window.findChild<Setup_Pressione*>()->isVisible());

    // The About box loaded at start-up goes away with its "OK"; the next click builds another.
    click("About");
    QPointer<frmAbout> first = window.findChild<frmAbout*>();
    QVERIFY(first && first->isVisible());
    QTest::mouseClick(first->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QTRY_VERIFY(first.isNull());
    click("About");
    QVERIFY(window.findChild<frmAbout*>() && window.findChild<frmAbout*>()->isVisible());
}

void MainWindowTest::waysOut_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("aboutOpen");
    QTest::newRow("frame") << "frame" << false;
    QTest::newRow("frame, About box open") << "frame" << true;
    QTest::newRow("Esci") << "Esci" << false;
    QTest::newRow("Command1") << "Command1" << true;
}

void MainWindowTest::waysOut() {
    QFETCH(QString, way);
    QFETCH(bool, aboutOpen);
    Brezzolo window;
    QVERIFY(window.start());
    // The event loop ends: nothing is left running behind a closed window.
    QVERIFY(programEndsAfter([&] {
        if (aboutOpen) {
            element<QAction>(window, "About")->trigger();
        }
        if (way == "frame") {
            window.close();
        } else if (way == "Esci") {
            element<QAction>(window, "Esci")->trigger();
        } else {
            QTest::mouseClick(element<QPushButton>(window, "Command1"), Qt::LeftButton);
        }
    }));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
