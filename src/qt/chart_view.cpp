#include "qt/chart_view.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QEvent>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "app/chart_layout.h"
#include "qt/qt_text.h"

namespace brezzolo {

namespace {

constexpr int kColumns = static_cast<int>(kChartColumns);
// Room above the bars and below them (the category axis carries no text of its own).
constexpr int kTopMargin = 8;
constexpr int kBottomMargin = 2;
const QColor kBarColour(40, 90, 170);

}  // namespace

ChartAxisLabel::ChartAxisLabel(QWidget* parent) : QLabel(parent) {}

void ChartAxisLabel::setPlot(double left, double width) {
    if (left != plotLeft_ || width != plotWidth_) {
        plotLeft_ = left;
        plotWidth_ = width;
        update();
    }
}

QSize ChartAxisLabel::minimumSizeHint() const {
    // Any width: the captions follow the bars, however narrow the window.
    return {0, fontMetrics().height()};
}

QSize ChartAxisLabel::sizeHint() const {
    return {0, fontMetrics().height()};
}

void ChartAxisLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const ChartColumnLayout layout = chartColumnLayout(coreText(text()), plotLeft_, plotWidth_);
    const QFontMetricsF metrics(font());
    for (std::size_t k = 0; k < kChartColumns; ++k) {
        const QString caption = qtText(layout.captions[k]);
        const double x = layout.centres[k] - metrics.horizontalAdvance(caption) / 2;
        painter.drawText(QPointF(x, metrics.ascent()), caption);
    }
}

TwelveHourChartView::TwelveHourChartView(QWidget* parent) : QChartView(parent) {
    setFrameShape(QFrame::NoFrame);
    setRenderHint(QPainter::Antialiasing);

    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(0, kTopMargin, 0, kBottomMargin));
    chart->setBackgroundBrush(Qt::white);

    bars_ = new QBarSet(QString());
    bars_->setColor(kBarColour);
    bars_->setBorderColor(kBarColour.darker(130));
    for (int k = 0; k < kColumns; ++k) {
        bars_->append(0.0);
    }
    auto* series = new QBarSeries;
    series->setBarWidth(kBarWidthInSlot);
    series->append(bars_);
    chart->addSeries(series);

    auto* columnAxis = new QBarCategoryAxis;
    for (int k = 1; k <= kColumns; ++k) {
        columnAxis->append(QString::number(k));
    }
    columnAxis->setLabelsVisible(false);
    columnAxis->setGridLineVisible(false);
    chart->addAxis(columnAxis, Qt::AlignBottom);
    series->attachAxis(columnAxis);

    valueAxis_ = new QValueAxis;
    valueAxis_->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(valueAxis_, Qt::AlignLeft);
    series->attachAxis(valueAxis_);

    setChart(chart);
    setValues(ChartModel{});
    connect(chart, &QChart::plotAreaChanged, this, [this] { placeAxisLabel(); });
}

void TwelveHourChartView::setValues(const ChartModel& chart) {
    const auto values = barValues(chart);
    for (int k = 0; k < kColumns; ++k) {
        const double value = values[static_cast<std::size_t>(k)];
        if (bars_->at(k) != value) {
            bars_->replace(k, value);
        }
    }
    // The axis always shows 0, so bars grow up from it (or down, for frost).
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    const ValueScale scale = valueScale(*lowest, *highest);
    valueAxis_->setRange(scale.min, scale.max);
    valueAxis_->setTickCount(scale.ticks);
}

ChartColumns TwelveHourChartView::values() const {
    ChartColumns values{};
    for (int k = 0; k < kColumns; ++k) {
        values[static_cast<std::size_t>(k)] = bars_->at(k);
    }
    return values;
}

void TwelveHourChartView::setAxisLabel(ChartAxisLabel* axisLabel) {
    if (axisLabel_) {
        axisLabel_->removeEventFilter(this);
    }
    axisLabel_ = axisLabel;
    if (axisLabel_) {
        axisLabel_->installEventFilter(this);
    }
    placeAxisLabel();
}

void TwelveHourChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    placeAxisLabel();
}

bool TwelveHourChartView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == axisLabel_ &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        placeAxisLabel();
    }
    return QChartView::eventFilter(watched, event);
}

void TwelveHourChartView::placeAxisLabel() {
    if (!axisLabel_) {
        return;
    }
    // The plot area's edges, from the chart's coordinates to the label's.
    const QRectF plot = chart()->plotArea();
    const auto inLabel = [this](double x) {
        const QPoint inView = mapFromScene(chart()->mapToScene(QPointF(x, 0)));
        return static_cast<double>(axisLabel_->mapFromGlobal(viewport()->mapToGlobal(inView)).x());
    };
    const double left = inLabel(plot.left());
    axisLabel_->setPlot(left, inLabel(plot.right()) - left);
}

}  // namespace brezzolo
