#pragma once

#include <QChartView>
#include <QPointer>
#include <array>
#include <optional>

#include "common/main_window_model.h"

class QBarSet;
class QFontMetricsF;
class QLabel;
class QValueAxis;

namespace brezzolo {

using ChartColumns = std::array<double, kChartColumns>;

// The value axis: from min to max in ticks - 1 even steps.
struct ValueScale {
    double min = 0;
    double max = 1;
    int ticks = 5;
};

// A value axis that shows 0 and every bar's end in at most five round steps (1, 2, 2.5 or 5
// times a power of ten).
ValueScale valueScale(double lowest, double highest);

// Where the eight bars stand: the left edge of the first slot and the width of one slot.
struct BarSlots {
    double left = 0;
    double width = 0;
};

// The evenly spaced slots that bring each bar's centre closest (least squares) to the centre
// of its caption. Captions are not evenly spaced, so the fit keeps each one within its bar.
BarSlots fitBarSlots(const ChartColumns& captionCentres);

// The centres of the eight blank-separated captions of the time-axis text, measured from the
// start of the text; nothing when the text does not hold exactly eight captions.
std::optional<ChartColumns> captionCentres(const QString& text, const QFontMetricsF& metrics);

// The twelve-hour chart: one series of eight bars, oldest first, no legend, the value axis
// scaled to the data. The bars follow the captions of the label under the chart, which
// carries the time axis as one line of text.
class TwelveHourChartView : public QChartView {
    Q_OBJECT

  public:
    explicit TwelveHourChartView(QWidget* parent = nullptr);

    void setValues(const ChartColumns& values);
    ChartColumns values() const;

    // Keeps the bars under the captions of this label, whenever either is resized or moved.
    void alignBarsWith(QLabel* axisLabel);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void updatePlotArea();

    QBarSet* bars_ = nullptr;
    QValueAxis* valueAxis_ = nullptr;
    QPointer<QLabel> axisLabel_;
};

}  // namespace brezzolo
