#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/main_window.h"
#include "common/text_file.h"
#include "config/folder_dialog.h"
#include "support/current_data_builder.h"
#include "window_test_support.h"

using namespace brezzolo;
using namespace brezzolo::test;

namespace {

QWidgetList visibleWindows() {
    QWidgetList shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            shown.append(widget);
        }
    }
    return shown;
}

}  // namespace

// A first run, end to end: no config.brz, only the folder dialog; its "ESCI" refuses the
// placeholders, then stores the chosen folders, opens the main window and starts the cycles.
class FirstRunTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void firstRunEndToEnd();
    void abandonedFirstRunEndsTheProgram();
};

void FirstRunTest::firstRunEndToEnd() {
    Station station;
    CurrentDataBuilder::typical().writeTo(station.heavyWeather.file("currdat.lst"));
    WorkingFolder here(station.work.path());
    Brezzolo window;
    QVERIFY(window.start());

    auto* dialog = window.findChild<Configurazione*>(QStringLiteral("Configurazione"));
    QVERIFY(dialog);
    QCOMPARE(visibleWindows(), QWidgetList{dialog});
    auto* timer = element<QTimer>(window, "Timer1");
    QVERIFY(!timer->isActive());
    QVERIFY(!element<QRadioButton>(window, "Option1")->isChecked());
    QVERIFY(!element<QRadioButton>(window, "Option2")->isChecked());

    auto* esci = dialog->findChild<QPushButton*>(QStringLiteral("Command2"));
    QVERIFY(esci);
    {
        MessageBoxCloser closer;
        QTest::mouseClick(esci, Qt::LeftButton);
        QCOMPARE(closer.seen().size(), std::size_t{1});
        QCOMPARE(closer.seen()[0].text, QStringLiteral("Cartelle non selezionate"));
    }
    QVERIFY(!fileExists(station.configPath()));
    QCOMPARE(visibleWindows(), QWidgetList{dialog});
    QVERIFY(!timer->isActive());

    const auto field = [&](const char* name) {
        return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
    };
    field("Text1")->setText(QString::fromStdString(station.heavyWeather.path()));
    field("Text2")->setText(QString::fromStdString(station.output.path()));
    field("Text3")->setText(QStringLiteral("history.dat"));
    QTest::mouseClick(esci, Qt::LeftButton);

    QCOMPARE(readFileBytes(station.configPath()), station.configText("1"));
    QCOMPARE(visibleWindows(), QWidgetList{&window});
    QVERIFY(element<QRadioButton>(window, "Option1")->isChecked());
    QVERIFY(!element<QRadioButton>(window, "Option2")->isChecked());
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 100);
    // The first cycle follows and reads the station.
    QTRY_COMPARE_WITH_TIMEOUT(timer->interval(), 61502, 5000);
    QVERIFY(element<QLabel>(window, "Label2")->text().startsWith("Situazione meteo di  "));
    QVERIFY(fileExists(station.output.file("my_meteo.txt")));
}

void FirstRunTest::abandonedFirstRunEndsTheProgram() {
    TempFolder work;
    WorkingFolder here(work.path());
    Brezzolo window;
    QVERIFY(window.start());
    auto* dialog = window.findChild<Configurazione*>(QStringLiteral("Configurazione"));
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(programEndsAfter([&] { dialog->close(); }));
    QVERIFY(!fileExists(work.file("config.brz")));
}

QTEST_MAIN(FirstRunTest)
#include "first_run_test.moc"
