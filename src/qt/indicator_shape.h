#pragma once

#include <QWidget>

#include "common/colour.h"

namespace brezzolo {

// One of the four round extreme indicators beside the day's extremes: a small circle painted
// with a border colour and a fill colour.
class IndicatorShape : public QWidget {
    Q_OBJECT

  public:
    explicit IndicatorShape(QWidget* parent = nullptr);

    void setColours(Colour border, Colour fill);
    Colour borderColour() const { return border_; }
    Colour fillColour() const { return fill_; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Colour border_ = colours::defaultBackground + 1;
    Colour fill_ = colours::defaultBackground;
};

}  // namespace brezzolo
