#include <QBarSeries>
#include <QLabel>
#include <QValueAxis>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "app/chart_view.h"
#include "app/main_window.h"
#include "window_test_support.h"

using namespace brezzolo;
using namespace brezzolo::test;

Q_DECLARE_METATYPE(brezzolo::ChartColumns)

class ChartViewTest : public QObject {
    Q_OBJECT

  private slots:
    void barsStandUnderTheirCaptions_data();
    void barsStandUnderTheirCaptions();
    void valueAxisHoldsEveryBar_data();
    void valueAxisHoldsEveryBar();
};

void ChartViewTest::barsStandUnderTheirCaptions_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("as opened") << 0;
    QTest::newRow("wide") << 1000;
}

void ChartViewTest::barsStandUnderTheirCaptions() {
    QFETCH(int, width);
    Station station;
    station.writeConfig();
    WorkingFolder here(station.work.path());
    Brezzolo window;
    QVERIFY(window.start());
    if (width > 0) {
        window.resize(width, window.height());
    }
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(100);  // the chart lays itself out in two rounds

    auto* view = element<TwelveHourChartView>(window, "MSChart1");
    auto* axis = element<QLabel>(window, "Label34");
    auto* series = qobject_cast<QBarSeries*>(view->chart()->series().value(0));
    QVERIFY(series);
    // Each caption of the time axis, measured where the label draws it, lies over its bar.
    const QString text = axis->text();
    const QFontMetricsF metrics(axis->font());
    const QPoint textStart =
        view->viewport()->mapFromGlobal(axis->mapToGlobal(axis->contentsRect().topLeft()));
    const double textLeft = view->chart()->mapFromScene(view->mapToScene(textStart)).x();
    const double barWidth = view->chart()->plotArea().width() / kChartColumns * series->barWidth();
    const QStringList captions = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QCOMPARE(captions.size(), kChartColumns);
    qsizetype from = 0;
    for (int k = 0; k < kChartColumns; ++k) {
        const qsizetype start = text.indexOf(captions[k], from);
        from = start + captions[k].size();
        const double caption = textLeft + metrics.horizontalAdvance(text.left(start)) +
                               metrics.horizontalAdvance(captions[k]) / 2;
        const double bar = view->chart()->mapToPosition(QPointF(k, 0), series).x();
        QVERIFY2(std::abs(bar - caption) < barWidth / 2,
                 qPrintable(QStringLiteral("%1: bar at %2, caption at %3")
                                .arg(captions[k])
                                .arg(bar)
                                .arg(caption)));
    }
}

void ChartViewTest::valueAxisHoldsEveryBar_data() {
    QTest::addColumn<ChartColumns>("values");
    QTest::newRow("before the first cycle") << ChartColumns{};
    QTest::newRow("pressure change") << ChartColumns{2.5, 1.75, 0.25, 0.5, 1.0, 1.25, 1.5, 3.125};
    QTest::newRow("frost at night") << ChartColumns{-4.5, -3.2, -1.0, 0.0, 0.8, 1.5, 1.9, 2.0};
    QTest::newRow("summer afternoon") << ChartColumns{13, 15, 17, 19, 20, 21, 21, 22.6};
    QTest::newRow("damaged records") << ChartColumns{1.5, std::nan(""), 0.25, HUGE_VAL, 1, 1, 1, 2};
    QTest::newRow("all below zero") << ChartColumns{-12.5, -11, -10.25, -9.5, -9, -8.75, -8.5, -8};
}

void ChartViewTest::valueAxisHoldsEveryBar() {
    QFETCH(ChartColumns, values);
    TwelveHourChartView view;
    view.setValues(values);
    // What is not a number shows as an empty column.
    for (double& value : values) {
        value = std::isfinite(value) ? value : 0.0;
    }
    QCOMPARE(view.values(), values);

    auto* axis = qobject_cast<QValueAxis*>(view.chart()->axes(Qt::Vertical).value(0));
    QVERIFY(axis);
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    // The bars grow from 0, so the axis shows 0 and every bar's end, and not much more.
    const double low = std::min(0.0, *lowest);
    const double high = std::max(0.0, *highest);
    QVERIFY(axis->min() <= low && axis->max() >= high);
    QVERIFY(axis->max() - axis->min() <= std::max(2 * (high - low), 1.0));
    // Every tick on a round value.
    const double step = (axis->max() - axis->min()) / (axis->tickCount() - 1);
    QVERIFY(axis->tickCount() >= 3 && axis->tickCount() <= 6);
    for (double round : {1.0, 2.0, 2.5, 5.0}) {
        const double power = step / round;
        if (std::abs(std::log10(power) - std::round(std::log10(power))) < 1e-9) {
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("step %1").arg(step)));
}

QTEST_MAIN(ChartViewTest)
#include "chart_view_test.moc"
