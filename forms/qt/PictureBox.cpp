#include "PictureBox.h"

#include "forms/LineClip.h"

#include <QPaintEvent>
#include <QPen>

namespace forms {
namespace {

QColor toQColor(Color color) {
    return {color.red, color.green, color.blue};
}

} // namespace

PictureBox::PictureBox(QSize size, Color background, QWidget* parent)
    : QWidget(parent), image_(size, QImage::Format_RGB32), background_(toQColor(background)) {
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_.fill(background_);
}

PictureBox::~PictureBox() {
    finishDrawing();
}

void PictureBox::cls() {
    finishDrawing();
    image_.fill(background_);
    scheduleRepaint();
}

void PictureBox::line(PointF from, PointF to, Color color) {
    // Clipping first keeps far-off coordinates away from the rasteriser's fixed-point range.
    const auto clipped =
        clipSegment({from, to}, {0.0, 0.0, double(image_.width()), double(image_.height())});
    if (!clipped) {
        return;
    }
    QPainter& p = painter();
    QPen pen(toQColor(color));
    pen.setCosmetic(true);
    pen.setWidth(0);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(QLineF(clipped->from.x, clipped->from.y, clipped->to.x, clipped->to.y));
    scheduleRepaint();
}

const QImage& PictureBox::image() {
    finishDrawing();
    return image_;
}

void PictureBox::paintEvent(QPaintEvent* event) {
    finishDrawing();
    repaintScheduled_ = false;
    QPainter widgetPainter(this);
    widgetPainter.drawImage(event->rect(), image_, event->rect());
}

QPainter& PictureBox::painter() {
    if (!painter_) {
        painter_.emplace(&image_);
    }
    return *painter_;
}

void PictureBox::finishDrawing() {
    painter_.reset();
}

void PictureBox::scheduleRepaint() {
    if (!repaintScheduled_) {
        repaintScheduled_ = true;
        update();
    }
}

} // namespace forms
