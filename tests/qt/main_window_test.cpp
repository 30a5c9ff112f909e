#include <QBarSeries>
#include <QValueAxis>
#include <QtTest>
#include <QtWidgets>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>

#include "app/chart_layout.h"
#include "app/messages.h"
#include "common/text_file.h"
#include "qt/about_box.h"
#include "qt/chart_view.h"
#include "qt/folder_dialog.h"
#include "qt/main_window.h"
#include "qt/message_boxes.h"
#include "qt/settings_dialogs.h"
#include "support/current_data_builder.h"
#include "support/temp_folder.h"

using namespace brezzolo;
using namespace brezzolo::test;

namespace {

// Runs the program's event loop, does `action` in it, and tells whether the loop then ended
// by itself with 0 (false when it was still running after ten seconds).
bool programEndsAfter(const std::function<void()>& action) {
    QObject scope;  // takes both timers with it
    QTimer::singleShot(50, &scope, action);
    QTimer::singleShot(10000, &scope, [] { QCoreApplication::exit(-1); });
    return QCoreApplication::exec() == 0;
}

// The working folder, with a current config.brz naming a Heavy Weather folder and an output
// folder of its own.
struct Station {
    TempFolder work, heavyWeather, output;
    WorkingFolder here{work.path()};
    std::string config = work.file("config.brz");

    std::string configText(const std::string& chart) const {
        return crlf({"1", "1", chart, heavyWeather.path(), output.path(), "history.dat"});
    }
};

// The elements by name and their start texts, "name=text" split at "|". The window's own page
// comes first among its children, before the dialogs that reuse some names.
const char* const kStartTexts =
    "Label1=Conversione dati da stazione meteorologica WS23xx a UI-View|"
    "Label2=Lettura dati meteo in corso ...|Label4=Condizioni attuali:|"
    "Label5=Tendenza:    in fase di aggiornamento|Label6=T ext:|Label7=Hrel ext:|"
    "Label8=Dewpoint:|Label9=Windchill:|Label10=Vento:|Label11=Direzione:|"
    "Label12=Condizioni - Previsioni - Segnalazioni|Label13=Totali:|Label14=24H:|Label15=1H:|"
    "Label16=Pressione:|Label17=Allarme temporale:|Label20=Stringa APRS|Label21=Valori esterni|"
    "Label22=Precipitazioni|Label23=Valori minimi e massimi odierni|Label30=Messaggio Utente|"
    "Label31=Abilita Messaggio Utente (max 20 caratteri)|Label32=Testo|"
    "Label34=-12h          -8h          -4h           -2h           -1h         -30min    "
    "-10min    adesso|Label35=Seleziona Grafico|Option1=Pressione |Option2=Temperatura ext.|"
    "Command1=&ESCI|File=File|Cartelle=Cartelle di lavoro|Esci=Esci|Parametri=Parametri|"
    "Stringa_APRS=Stringa APRS|Pressione=Pressione|APRS_IS=APRS-IS / "
    "CWOP|Stazione=Stazione|About=About|Label18=|Label19=|Label24=|"
    "Label25=|Label26=|Label27=|Label28=|Label29=|Label33=|Label36=|Label37=|Check1=|"
    "StatusAprsIs=|StatusStation=|"
    "Label3=Rel. 1.9.2 W";

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Station> s_;

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() {
        s_ = std::make_unique<Station>();
        writeFileBytes(s_->config, s_->configText("1"));
    }
    void cleanup() { s_.reset(); }

    void startTexts() {
        Brezzolo window;
        QVERIFY(window.start());
        const QString rows = kStartTexts + QString::fromUtf8(mainWindowTexts::authorCredit);
        for (const QString& row : rows.split(QLatin1Char('|'))) {
            // Labels, buttons and menu items show "text", the menus "title".
            const QString name = row.section(QLatin1Char('='), 0, 0);
            QObject* shown = window.findChild<QObject*>(name);
            QVERIFY2(shown, qPrintable(name));
            const char* property = shown->inherits("QMenu") ? "title" : "text";
            QCOMPARE(name + "=" + shown->property(property).toString(), row);
        }
        QCOMPARE(window.windowTitle(), QStringLiteral("Brezzolo"));
        QVERIFY(window.findChild<QPlainTextEdit*>("Text1")->isReadOnly());
        // Room on a 1024 x 768 screen for the frame and a task bar.
        QVERIFY(window.width() <= 1000 && window.height() <= 700);
    }

    void userMessageKeepsTwentyCharacters() {
        Brezzolo window;
        QVERIFY(window.start());
        // The presenter cuts the text; the field shows what it kept.
        auto* text2 = window.findChild<QLineEdit*>("Text2");
        text2->setText(QString::fromUtf8("Città "));
        QGuiApplication::clipboard()->setText("123456789012345678901234567890");
        QTest::keySequence(text2, QKeySequence::Paste);
        QCOMPARE(text2->text(), QString::fromUtf8("Città 12345678901234"));
        QCOMPARE(window.model().Text2, std::string("Citt\xc3\xa0 12345678901234"));
    }

    void chartSelectorStoresOnlyChanges() {
        writeFileBytes(s_->config, s_->configText("2"));
        Brezzolo window;
        QVERIFY(window.start());
        auto* option1 = window.findChild<QRadioButton*>("Option1");
        auto* option2 = window.findChild<QRadioButton*>("Option2");
        QVERIFY(option2->isChecked() && !option1->isChecked());  // marked from line 3

        QTest::mouseClick(option1, Qt::LeftButton);
        QVERIFY(option1->isChecked() && !option2->isChecked() && window.model().Option1);

        // config.brz can no longer be rewritten: the choice is shown, and the user is told.
        std::filesystem::remove(s_->config);
        std::filesystem::create_directory(s_->config);
        QCOMPARE(boxesDuring([&] { QTest::mouseClick(option2, Qt::LeftButton); }),
                 QStringList{"ATTENZIONE: " + QString::fromUtf8(kConfigNotSavedMessage)});
        QVERIFY(option2->isChecked());
    }

    void cycleFillsThePanel() {
        CurrentDataBuilder::typical().writeTo(s_->heavyWeather.file("currdat.lst"));
        Brezzolo window;
        QVERIFY(window.start());
        auto* timer = window.findChild<QTimer*>("Timer1");
        // The cycle has run once it sets the minute rhythm.
        QTRY_COMPARE_WITH_TIMEOUT(timer->interval(), 61502, 5000);
        QVERIFY(timer->isActive());
        QCOMPARE(window.findChild<QLabel*>("Label2")->text(),
                 QString::fromUtf8("Situazione meteo di  lunedì  05 giugno 2006  alle ore 14:05"));
        QCOMPARE(window.findChild<QLabel*>("Label18")->frameShape(), QFrame::NoFrame);
        // Text1 shows the two lines written to my_meteo.txt.
        const auto report = readLines(s_->output.file("my_meteo.txt"));
        QVERIFY(report && report->size() == 2);
        QCOMPARE(window.findChild<QPlainTextEdit*>("Text1")->toPlainText(),
                 QString::fromStdString((*report)[0] + "\n" + (*report)[1]));
        // Without aprs-is.brz there is no status line.
        QVERIFY(window.statusBar()->isHidden());
    }

    void menuShowsTheDialogs() {
        Brezzolo window;
        QVERIFY(window.start());
        // The settings dialogs are built at their first showing and shown again afterwards.
        for (const char* item :
             {"Cartelle", "Stringa_APRS", "Pressione", "Stringa_APRS", "About"}) {
            window.findChild<QAction*>(item)->trigger();
        }
        QCOMPARE(window.findChildren<SettingsDialog*>().size(), 2);
        QVERIFY(window.findChild<Configurazione*>()->isVisible() &&
                window.findChild<SettingsDialog*>("Setup_Parametri")->isVisible() &&
                window.findChild<SettingsDialog*>("Setup_Pressione")->isVisible());
        QVERIFY(window.findChild<frmAbout*>()->isVisible());
    }

    void waysOut() {
        // Each way out, even with the About box open, ends the event loop: nothing is left
        // running behind a closed window.
        const std::pair<const char*, std::function<void(Brezzolo&)>> ways[] = {
            {"frame", [](Brezzolo& w) { w.close(); }},
            {"Esci", [](Brezzolo& w) { w.findChild<QAction*>("Esci")->trigger(); }},
            {"ESCI", [](Brezzolo& w) { w.findChild<QPushButton*>("Command1")->click(); }},
            // A first run given up at the folder dialog's frame: nothing is stored.
            {"first run", [](Brezzolo& w) { w.findChild<Configurazione*>()->close(); }},
        };
        for (const auto& [way, action] : ways) {
            if (way == std::string("first run")) {
                std::filesystem::remove(s_->config);
            }
            Brezzolo window;
            QVERIFY(window.start());
            window.findChild<frmAbout*>()->show();
            // Clang before 16 cannot capture a structured binding, so it is captured under a name.
            QVERIFY2(programEndsAfter([&window, &run = action] { run(window); }), way);
        }
        QVERIFY(!fileExists(s_->config));
    }

    // Each caption of the time axis stands over its bar, as the window opens, made wider and
    // made narrow again; and a window made wider shrinks back.
    void barsStandUnderTheirCaptions() {
        Brezzolo window;
        QVERIFY(window.start() && QTest::qWaitForWindowExposed(&window));
        auto* view = window.findChild<TwelveHourChartView*>();
        auto* axis = window.findChild<ChartAxisLabel*>("Label34");
        auto* series = qobject_cast<QBarSeries*>(view->chart()->series().value(0));
        const int opened = window.width();
        for (const int width : {opened, 1400, opened}) {
            window.resize(width, window.height());
            QTest::qWait(100);  // the chart lays itself out in two rounds
            QCOMPARE(window.width(), width);
            const ChartColumnLayout layout =
                chartColumnLayout(axis->text().toStdString(), axis->plotLeft(), axis->plotWidth());
            for (std::size_t k = 0; k < kChartColumns; ++k) {
                const QPointF bar = view->chart()->mapToPosition({double(k), 0}, series);
                const QPoint inLabel = axis->mapFromGlobal(view->viewport()->mapToGlobal(
                    view->mapFromScene(view->chart()->mapToScene(bar))));
                QVERIFY2(std::abs(inLabel.x() - layout.centres[k]) < 2, layout.captions[k].c_str());
            }
        }
    }

    void valueAxisFollowsTheValues() {
        TwelveHourChartView view;
        view.setValues({{-4.5, -3.2, -1, 0, 0.8, 1.5, NAN, 2}});
        // What is not a number shows as an empty column.
        QCOMPARE(view.values(), (ChartColumns{-4.5, -3.2, -1, 0, 0.8, 1.5, 0, 2}));
        auto* axis = qobject_cast<QValueAxis*>(view.chart()->axes(Qt::Vertical).value(0));
        const ValueScale scale = valueScale(-4.5, 2);
        QCOMPARE(axis->min(), scale.min);
        QCOMPARE(axis->max(), scale.max);
        QCOMPARE(axis->tickCount(), scale.ticks);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
