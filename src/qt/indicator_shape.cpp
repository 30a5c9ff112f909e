#include "qt/indicator_shape.h"

#include <algorithm>

#include <QPainter>
#include <QPen>

#include "qt/qt_colour.h"

namespace brezzolo {

namespace {
constexpr int kDiameter = 14;
constexpr qreal kBorderWidth = 1.5;
}  // namespace

IndicatorShape::IndicatorShape(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
}

void IndicatorShape::setColours(Colour border, Colour fill) {
    if (border == border_ && fill == fill_) {
        return;
    }
    border_ = border;
    fill_ = fill;
    update();
}

QSize IndicatorShape::sizeHint() const {
    return {kDiameter + 2, kDiameter + 2};
}

void IndicatorShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(toQColor(border_), kBorderWidth));
    painter.setBrush(toQColor(fill_));
    // The circle sits in the middle, its border fully inside the widget.
    const qreal inset = kBorderWidth;
    const qreal side = std::min(width(), height()) - 2 * inset;
    painter.drawEllipse(QRectF((width() - side) / 2, (height() - side) / 2, side, side));
}

}  // namespace brezzolo
