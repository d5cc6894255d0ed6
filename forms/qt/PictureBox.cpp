#include "PictureBox.h"

#include "forms/LineRaster.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace forms {
namespace {

QColor toQColor(Color color) {
    return {color.red, color.green, color.blue};
}

} // namespace

PictureBox::PictureBox(QSize size, Color background, QWidget* parent)
    : QWidget(parent), image_(size, QImage::Format_RGB32), background_(toQColor(background)) {
    setFixedSize(size);
    commitTimer_.setSingleShot(true);
    commitTimer_.setInterval(0);
    connect(&commitTimer_, &QTimer::timeout, this, &PictureBox::commit);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_.fill(background_);
}

void PictureBox::cls() {
    drawing_.clear();
    commitSoon();
}

void PictureBox::line(PointF from, PointF to, Color color) {
    drawing_.push_back({{from, to}, color, {}});
    commitSoon();
}

void PictureBox::curve(std::span<const float> ys, Color color) {
    drawing_.push_back({{}, color, {ys.begin(), ys.end()}});
    commitSoon();
}

void PictureBox::caption(std::string_view text) {
    const QString wanted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (wanted != caption_) {
        caption_ = wanted;
        update();
        emit captionChanged();
    }
}

const QImage& PictureBox::image() {
    commit();
    return image_;
}

void PictureBox::paintEvent(QPaintEvent* event) {
    commit();
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
    if (!caption_.isEmpty()) {
        painter.setPen(QColor(230, 230, 230));
        painter.drawText(rect().adjusted(6, 4, -6, -4), Qt::AlignLeft | Qt::AlignTop, caption_);
    }
    if (!shown_.empty()) {
        emit framePainted();
    }
}

void PictureBox::commitSoon() {
    if (!commitTimer_.isActive()) {
        commitTimer_.start();
    }
}

void PictureBox::commit() {
    commitTimer_.stop();
    if (drawing_ == shown_) {
        return;
    }
    const bool onlyAdded = drawing_.size() > shown_.size() &&
                           std::equal(shown_.begin(), shown_.end(), drawing_.begin());
    if (!onlyAdded) {
        // Every pixel that differs from the background was inked by a stroke: setting just
        // those back clears the image at a fraction of the cost of filling it.
        auto* const pixels = reinterpret_cast<QRgb*>(image_.bits());
        const QRgb background = background_.rgb();
        for (const std::size_t pixel : inked_) {
            pixels[pixel] = background;
        }
        inked_.clear();
    }
    plotStrokes(onlyAdded ? shown_.size() : 0);
    shown_ = drawing_;
    update();
}

void PictureBox::plotStrokes(std::size_t first) {
    auto* const pixels = reinterpret_cast<QRgb*>(image_.bits());
    const auto stride = static_cast<std::size_t>(image_.bytesPerLine()) / sizeof(QRgb);
    for (std::size_t i = first; i < drawing_.size(); ++i) {
        const QRgb rgb = toQColor(drawing_[i].color).rgb();
        const auto plot = [&](int x, int y) {
            const std::size_t pixel =
                static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x);
            pixels[pixel] = rgb;
            inked_.push_back(pixel);
        };
        if (drawing_[i].curve.empty()) {
            rasteriseLine(drawing_[i].segment, image_.width(), image_.height(), plot);
        } else {
            rasteriseCurve(drawing_[i].curve, image_.width(), image_.height(), plot);
        }
    }
}

} // namespace forms
