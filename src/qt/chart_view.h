#pragma once

#include <QChartView>
#include <QLabel>
#include <QPointer>
#include <array>

#include "common/main_window_model.h"

class QBarSet;
class QValueAxis;

namespace brezzolo {

using ChartColumns = std::array<double, kChartColumns>;

// Label34 under the chart: keeps the time axis as one text, and paints each of its captions
// centred under its bar. The chart tells it where its plot area lies.
class ChartAxisLabel : public QLabel {
    Q_OBJECT

  public:
    explicit ChartAxisLabel(QWidget* parent = nullptr);

    // The plot area's left edge and width, in this label's coordinates.
    void setPlot(double left, double width);
    double plotLeft() const { return plotLeft_; }
    double plotWidth() const { return plotWidth_; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double plotLeft_ = 0;
    double plotWidth_ = 0;
};

// The twelve-hour chart: one series of eight bars, oldest first, no legend, the value axis
// scaled to the data, the bars evenly spaced over the plot area.
class TwelveHourChartView : public QChartView {
    Q_OBJECT

  public:
    explicit TwelveHourChartView(QWidget* parent = nullptr);

    void setValues(const ChartModel& chart);
    ChartColumns values() const;

    // The label that carries the time axis; it follows the plot area.
    void setAxisLabel(ChartAxisLabel* axisLabel);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void placeAxisLabel();

    QBarSet* bars_ = nullptr;
    QValueAxis* valueAxis_ = nullptr;
    QPointer<ChartAxisLabel> axisLabel_;
};

}  // namespace brezzolo
