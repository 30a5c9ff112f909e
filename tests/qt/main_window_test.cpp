#include <QBarSeries>
#include <QValueAxis>
#include <QtTest>
#include <QtWidgets>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>

#include "common/text_file.h"
#include "qt/about_box.h"
#include "qt/chart_view.h"
#include "qt/folder_dialog.h"
#include "qt/main_window.h"
#include "qt/settings_dialogs.h"
#include "support/current_data_builder.h"
#include "support/temp_folder.h"

using namespace brezzolo;
using namespace brezzolo::test;

Q_DECLARE_METATYPE(brezzolo::ChartColumns)

namespace {

// Does `action`, accepting every modal message box that opens meanwhile; "title: text" of each.
QStringList boxesDuring(const std::function<void()>& action) {
    QStringList seen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen.append(box->windowTitle() + ": " + box->text());
            box->accept();
        }
    });
    closer.start(20);
    action();
    return seen;
}

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
    "Stringa_APRS=Stringa APRS|Pressione=Pressione|About=About|Label18=|Label19=|Label24=|"
    "Label25=|Label26=|Label27=|Label28=|Label29=|Label33=|Label36=|Label37=|Check1=|"
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
        const QString rows = kStartTexts + QString::fromUtf8(startTexts::authorCredit);
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
        auto* text2 = window.findChild<QLineEdit*>("Text2");
        // Characters, not bytes: an accented letter counts as one.
        for (const QChar character : QString::fromUtf8("àèìòùàèìòùàèìòùàèìòùà")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QApplication::sendEvent(text2, &press);
        }
        QCOMPARE(text2->text(), QString::fromUtf8("àèìòùàèìòùàèìòùàèìòù"));
        text2->setText("Ciao ");
        QGuiApplication::clipboard()->setText("123456789012345678901234567890");
        QTest::keySequence(text2, QKeySequence::Paste);
        QCOMPARE(text2->text(), "Ciao 123456789012345");
        QCOMPARE(window.model().Text2, std::string("Ciao 123456789012345"));
    }

    void chartSelectorStoresOnlyChanges() {
        writeFileBytes(s_->config, s_->configText("2"));
        Brezzolo window;
        QVERIFY(window.start());
        auto* option1 = window.findChild<QRadioButton*>("Option1");
        auto* option2 = window.findChild<QRadioButton*>("Option2");
        QVERIFY(option2->isChecked() && !option1->isChecked());  // marked from line 3

        // A click on the marked option does not touch the file at all.
        const auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
        std::filesystem::last_write_time(s_->config, longAgo);
        QTest::mouseClick(option2, Qt::LeftButton);
        QCOMPARE(std::filesystem::last_write_time(s_->config), longAgo);

        QTest::mouseClick(option1, Qt::LeftButton);
        QCOMPARE(readFileBytes(s_->config), s_->configText("1"));
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
        // Timer1 fires after 100 ms; the cycle then sets the minute rhythm.
        QCOMPARE(timer->interval(), 100);
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
    }

    void oldConfigurationIsAnnounced() {
        writeFileBytes(s_->config, crlf({"2", "1", s_->heavyWeather.path(), s_->output.path()}));
        Brezzolo window;
        QCOMPARE(boxesDuring([&] { QVERIFY(window.start()); }),
                 QStringList{"ATTENZIONE: " + QString::fromUtf8(kNewReleaseMessage)});
        QVERIFY(window.isVisible());
    }

    void menuShowsTheDialogs() {
        Brezzolo window;
        QVERIFY(window.start());
        // The settings dialogs are built at their first showing and shown again afterwards.
        for (const char* item :
             {"Cartelle", "Stringa_APRS", "Pressione", "Stringa_APRS", "About"}) {
            window.findChild<QAction*>(item)->trigger();
        }
        QCOMPARE(window.findChildren<Setup_Parametri*>().size(), 1);
        QVERIFY(window.findChild<Configurazione*>()->isVisible() &&
                window.findChild<Setup_Parametri*>()->isVisible() &&
                window.findChild<Setup_Pressione*>()->isVisible());
        // The About box goes away with its "OK"; the next click builds another.
        QPointer<frmAbout> about = window.findChild<frmAbout*>();
        QVERIFY(about && about->isVisible());
        about->findChild<QPushButton*>("cmdOK")->click();
        QTRY_VERIFY(about.isNull());
        window.findChild<QAction*>("About")->trigger();
        QVERIFY(window.findChild<frmAbout*>() && window.findChild<frmAbout*>()->isVisible());
    }

    // No config.brz: only the folder dialog; its "ESCI" refuses the placeholders, then stores
    // the chosen folders, opens the main window and starts the cycles.
    void firstRunEndToEnd() {
        std::filesystem::remove(s_->config);
        CurrentDataBuilder::typical().writeTo(s_->heavyWeather.file("currdat.lst"));
        Brezzolo window;
        QVERIFY(window.start());
        auto* dialog = window.findChild<Configurazione*>();
        auto* timer = window.findChild<QTimer*>("Timer1");
        auto* esci = dialog->findChild<QPushButton*>("Command2");
        QVERIFY(dialog->isVisible() && !window.isVisible() && !timer->isActive());

        const QStringList boxes = boxesDuring([&] { esci->click(); });
        QVERIFY(boxes.size() == 1 && boxes[0].endsWith(": Cartelle non selezionate"));
        QVERIFY(!fileExists(s_->config) && !window.isVisible() && !timer->isActive());

        dialog->findChild<QLineEdit*>("Text1")->setText(
            QString::fromStdString(s_->heavyWeather.path()));
        dialog->findChild<QLineEdit*>("Text2")->setText(QString::fromStdString(s_->output.path()));
        dialog->findChild<QLineEdit*>("Text3")->setText("history.dat");
        esci->click();
        QCOMPARE(readFileBytes(s_->config), s_->configText("1"));
        QVERIFY(!dialog->isVisible() && window.isVisible());
        QVERIFY(window.findChild<QRadioButton*>("Option1")->isChecked());
        QVERIFY(timer->isActive() && timer->interval() == 100);
        // The first cycle follows and reads the station.
        QTRY_COMPARE_WITH_TIMEOUT(timer->interval(), 61502, 5000);
        QVERIFY(fileExists(s_->output.file("my_meteo.txt")));
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

    void barsStandUnderTheirCaptions() {
        Brezzolo window;
        QVERIFY(window.start() && QTest::qWaitForWindowExposed(&window));
        auto* view = window.findChild<TwelveHourChartView*>();
        auto* axis = window.findChild<QLabel*>("Label34");
        auto* series = qobject_cast<QBarSeries*>(view->chart()->series().value(0));
        // As opened, then wider: each caption of the time axis, measured where the label draws
        // it, lies over its bar.
        for (const int width : {window.width(), 1000}) {
            window.resize(width, window.height());
            QTest::qWait(100);  // the chart lays itself out in two rounds
            const QString text = axis->text();
            const QFontMetricsF metrics(axis->font());
            const QPoint textStart =
                view->viewport()->mapFromGlobal(axis->mapToGlobal(axis->contentsRect().topLeft()));
            const double left = view->chart()->mapFromScene(view->mapToScene(textStart)).x();
            const double halfBar =
                view->chart()->plotArea().width() / kChartColumns * series->barWidth() / 2;
            const QStringList captions = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QCOMPARE(captions.size(), kChartColumns);
            for (qsizetype k = 0, start = 0; k < kChartColumns; start += captions[k++].size()) {
                start = text.indexOf(captions[k], start);
                const double caption = left + metrics.horizontalAdvance(text.left(start)) +
                                       metrics.horizontalAdvance(captions[k]) / 2;
                const QPointF bar = view->chart()->mapToPosition({double(k), 0}, series);
                QVERIFY2(std::abs(bar.x() - caption) < halfBar, qPrintable(captions[k]));
            }
        }
    }

    void valueAxisHoldsEveryBar_data() {
        QTest::addColumn<ChartColumns>("values");
        QTest::newRow("before the first cycle") << ChartColumns{};
        QTest::newRow("pressure change") << ChartColumns{2.5, 1.75, 0.25, 0.5, 1, 1.25, 1.5, 3.125};
        QTest::newRow("frost at night") << ChartColumns{-4.5, -3.2, -1, 0, 0.8, 1.5, 1.9, 2};
        QTest::newRow("damaged records") << ChartColumns{1.5, NAN, 0.25, HUGE_VAL, 1, 1, 1, 2};
        QTest::newRow("all below zero")
            << ChartColumns{-12.5, -11, -10.25, -9.5, -9, -8.75, -8.5, -8};
    }

    void valueAxisHoldsEveryBar() {
        QFETCH(ChartColumns, values);
        TwelveHourChartView view;
        view.setValues(values);
        // What is not a number shows as an empty column.
        std::replace_if(
            values.begin(), values.end(), [](double v) { return !std::isfinite(v); }, 0.0);
        QCOMPARE(view.values(), values);

        // The bars grow from 0, so the axis shows 0 and every bar's end, and not much more, in at
        // most five steps of 1, 2, 2.5 or 5 times a power of ten.
        auto* axis = qobject_cast<QValueAxis*>(view.chart()->axes(Qt::Vertical).value(0));
        const double low = std::min(0.0, *std::min_element(values.begin(), values.end()));
        const double high = std::max(0.0, *std::max_element(values.begin(), values.end()));
        QVERIFY(axis->min() <= low && axis->max() >= high);
        QVERIFY(axis->max() - axis->min() <= std::max(2 * (high - low), 1.0));
        QVERIFY(axis->tickCount() >= 3 && axis->tickCount() <= 6);
        const double step = (axis->max() - axis->min()) / (axis->tickCount() - 1);
        const double factor = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        QVERIFY2(QList<double>({1, 2, 2.5, 5}).contains(std::round(factor * 1e6) / 1e6),
                 qPrintable(QString::number(step)));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
