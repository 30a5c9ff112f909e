#include "qt/chart_view.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace brezzolo {

namespace {

constexpr int kColumns = static_cast<int>(kChartColumns);

// Room above the bars and below them (the category axis carries no text of its own).
constexpr int kTopMargin = 8;
constexpr int kBottomMargin = 2;
constexpr int kMostValueSteps = 5;
constexpr double kBarWidthInSlot = 0.6;
const QColor kBarColour(40, 90, 170);
}  // namespace

ValueScale valueScale(double lowest, double highest) {
    const double low = std::min(0.0, lowest);
    const double high = std::max(0.0, highest);
    if (!(high > low)) {
        return {0, 1, 5};
    }
    // At most five steps of 1, 2, 2.5 or 5 times a power of ten.
    const double rawStep = (high - low) / kMostValueSteps;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rawStep)));
    double step = 10 * magnitude;
    for (double factor : {1.0, 2.0, 2.5, 5.0}) {
        if (factor * magnitude >= rawStep) {
            step = factor * magnitude;
            break;
        }
    }
    const double min = std::floor(low / step) * step;
    const double max = std::ceil(high / step) * step;
    return {min, max, static_cast<int>(std::lround((max - min) / step)) + 1};
}

BarSlots fitBarSlots(const ChartColumns& captionCentres) {
    // Bar k (from 0) stands at left + (k + 0.5) * width: a straight line through the centres.
    double meanSlot = 0;
    double meanCentre = 0;
    for (int k = 0; k < kColumns; ++k) {
        meanSlot += k + 0.5;
        meanCentre += captionCentres[static_cast<std::size_t>(k)];
    }
    meanSlot /= kColumns;
    meanCentre /= kColumns;
    double covariance = 0;
    double variance = 0;
    for (int k = 0; k < kColumns; ++k) {
        const double slot = k + 0.5 - meanSlot;
        covariance += slot * (captionCentres[static_cast<std::size_t>(k)] - meanCentre);
        variance += slot * slot;
    }
    const double width = std::max(covariance / variance, 1.0);
    return {meanCentre - width * meanSlot, width};
}

std::optional<ChartColumns> captionCentres(const QString& text, const QFontMetricsF& metrics) {
    ChartColumns centres{};
    int found = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i].isSpace()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && !text[i].isSpace()) {
            ++i;
        }
        if (found == kColumns) {
            return std::nullopt;
        }
        const double before = metrics.horizontalAdvance(text.left(start));
        const double caption = metrics.horizontalAdvance(text.mid(start, i - start));
        centres[static_cast<std::size_t>(found++)] = before + caption / 2;
    }
    if (found != kColumns) {
        return std::nullopt;
    }
    return centres;
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
    setValues(ChartColumns{});
    // The value axis takes the room its labels need; the plot then moves, and is put back.
    connect(chart, &QChart::plotAreaChanged, this, [this] { updatePlotArea(); });
}

void TwelveHourChartView::setValues(const ChartColumns& values) {
    // A value that is not a number (a damaged history record) shows as an empty column
    // rather than breaking the scale of the others.
    ChartColumns shown = values;
    for (double& value : shown) {
        if (!std::isfinite(value)) {
            value = 0;
        }
    }
    for (int k = 0; k < kColumns; ++k) {
        const double value = shown[static_cast<std::size_t>(k)];
        if (bars_->at(k) != value) {
            bars_->replace(k, value);
        }
    }
    // The axis always shows 0, so bars grow up from it (or down, for frost).
    const auto [lowest, highest] = std::minmax_element(shown.begin(), shown.end());
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

void TwelveHourChartView::alignBarsWith(QLabel* axisLabel) {
    if (axisLabel_) {
        axisLabel_->removeEventFilter(this);
    }
    axisLabel_ = axisLabel;
    if (axisLabel_) {
        axisLabel_->installEventFilter(this);
    }
    updatePlotArea();
}

void TwelveHourChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    updatePlotArea();
}

bool TwelveHourChartView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == axisLabel_) {
        switch (event->type()) {
            case QEvent::Resize:
            case QEvent::Move:
            case QEvent::FontChange:
                updatePlotArea();
                break;
            default:
                break;
        }
    }
    return QChartView::eventFilter(watched, event);
}

void TwelveHourChartView::updatePlotArea() {
    std::optional<ChartColumns> centres;
    if (axisLabel_) {
        centres = captionCentres(axisLabel_->text(), QFontMetricsF(axisLabel_->font()));
    }
    if (!centres) {
        return;
    }
    // Where the label's text begins, in the chart's coordinates.
    const QPoint textStart = axisLabel_->contentsRect().topLeft();
    const QPoint inView = viewport()->mapFromGlobal(axisLabel_->mapToGlobal(textStart));
    const double offset = chart()->mapFromScene(mapToScene(inView)).x();
    for (double& centre : *centres) {
        centre += offset;
    }
    const BarSlots placed = fitBarSlots(*centres);

    // The chart lays its plot out within its margins, beside the value axis: widen or narrow
    // the side margins by what the plot is off. The axis keeps its width, so one step does.
    const QRectF plot = chart()->plotArea();
    const QMargins margins = chart()->margins();
    const int left =
        std::max(0, margins.left() + static_cast<int>(std::lround(placed.left - plot.left())));
    const int right = std::max(
        0, margins.right() + static_cast<int>(std::lround(
                                 plot.right() - (placed.left + placed.width * kColumns))));
    if (left != margins.left() || right != margins.right()) {
        chart()->setMargins(QMargins(left, margins.top(), right, margins.bottom()));
    }
}

}  // namespace brezzolo
