#include "TimePanel.h"

#include "ChartPicture.h"
#include "Stroke.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <vector>

namespace largeview {
namespace {

// The pitch's range across the panel: the note's own, never narrower than a semitone each way
// of its middle, so that a steady note draws a steady line and not its measuring noise.
std::pair<double, double> pitchRange(std::span<const model::Moment> moments) {
    const auto [low, high] = std::minmax_element(
        moments.begin(), moments.end(), [](const auto& a, const auto& b) { return a.hz < b.hz; });
    const double middle = std::sqrt(low->hz * high->hz);
    const double semitone = std::pow(2.0, 1.0 / 12.0);
    return {std::min(low->hz, middle / semitone), std::max(high->hz, middle * semitone)};
}

QImage tracksImage(const Scene& scene, const Layout& layout, QSize size) {
    const std::span<const model::Moment> moments = scene.overTime->moments;
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    const Canvas canvas{reinterpret_cast<std::uint32_t*>(image.bits()), image.width(),
                        image.height(), int(image.bytesPerLine() / 4)};
    const double line =
        std::max(1.0, layout.textHeight * image.height() / layout.timePanel.height / 8.0);
    std::vector<double> heights(std::size_t(image.width()));
    for (const double db : {-20.0, -40.0}) {
        std::fill(heights.begin(), heights.end(), image.height() * db / decibelFloor);
        strokeGraph(canvas, heights, 1.0, QColor(60, 60, 60).rgb());
    }
    for (std::size_t k = scope::harmonicCount; k-- > 0;) {
        trackHeights(heights, moments, k, image.height());
        strokeGraph(canvas, heights, line, colourOf(k).rgb());
    }
    const auto [low, high] = pitchRange(moments);
    for (std::size_t c = 0; c < heights.size(); ++c) {
        const double hz =
            moments[momentAt({0, 0, double(heights.size()), 0}, double(c) + 0.5, moments.size())]
                .hz;
        heights[c] = image.height() * (0.05 + 0.9 * std::log(high / hz) / std::log(high / low));
    }
    strokeGraph(canvas, heights, line * 1.5, QColor(Qt::white).rgb());
    return image;
}

void paintTracks(QPainter& painter, const Scene& scene, const Layout& layout, double ratio) {
    const Box& panel = layout.timePanel;
    const QRect pixels =
        QRectF(panel.x * ratio, panel.y * ratio, panel.width * ratio, panel.height * ratio)
            .toAlignedRect();
    TracksPicture fresh;
    TracksPicture& kept = scene.tracksPicture != nullptr ? *scene.tracksPicture : fresh;
    if (kept.note != scene.overTime || kept.image.size() != pixels.size()) {
        kept = {scene.overTime, tracksImage(scene, layout, pixels.size())};
        kept.image.setDevicePixelRatio(ratio);
    }
    painter.drawImage(QPointF(pixels.topLeft()) / ratio, kept.image);
    painter.setPen(QPen(QColor(60, 60, 60), std::max(1.0, layout.textHeight / 8.0)));
    painter.drawRect(rectOf(panel));
}

} // namespace

std::size_t momentAt(const Box& panel, double x, std::size_t moments) {
    if (moments < 2 || panel.width <= 0) {
        return 0;
    }
    const double fraction = std::clamp((x - panel.x) / panel.width, 0.0, 1.0);
    return std::size_t(std::lround(fraction * double(moments - 1)));
}

double xOfMoment(const Box& panel, std::size_t moment, std::size_t moments) {
    return moments < 2 ? panel.x : panel.x + panel.width * double(moment) / double(moments - 1);
}

void trackHeights(std::span<double> columns, std::span<const model::Moment> moments,
                  std::size_t harmonic, double height) {
    // Each moment's level once, however many columns it spans.
    std::vector<double> decibelsAt(moments.size());
    for (std::size_t i = 0; i < moments.size(); ++i) {
        const double a = std::fabs(moments[i].timbre.amplitudes[harmonic]);
        // Silence a pen's width under the foot, out of sight.
        decibelsAt[i] = a > 0.0 ? std::max(20.0 * std::log10(a / 100.0), decibelFloor - 5.0)
                                : decibelFloor - 5.0;
    }
    const auto decibels = [&decibelsAt](std::size_t i) { return decibelsAt[i]; };
    const auto last = double(moments.size() - 1);
    const double perColumn = last / double(columns.size());
    for (std::size_t c = 0; c < columns.size(); ++c) {
        // The moments under this column, on the scale the cursor uses.
        const double from = double(c) * perColumn;
        const double to = from + perColumn;
        double db = 0.0;
        if (perColumn < 1.0) {
            // Wider than a moment: in a line from one moment to the next.
            const double at = std::min((from + to) / 2.0, last);
            const auto before = std::size_t(at);
            const std::size_t after = std::min(before + 1, moments.size() - 1);
            db = decibels(before) + (decibels(after) - decibels(before)) * (at - double(before));
        } else {
            // Narrower: the loudest of them, so that no peak is lost.
            db = decibelFloor - 5.0;
            for (auto i = std::size_t(std::round(from)); i <= std::size_t(std::round(to)); ++i) {
                db = std::max(db, decibels(std::min(i, moments.size() - 1)));
            }
        }
        columns[c] = height * db / decibelFloor;
    }
}

void paintTimePanel(QPainter& painter, Labels& labels, const Scene& scene, const Layout& layout,
                    double ratio) {
    if (scene.overTime == nullptr || scene.overTime->moments.empty()) {
        return;
    }
    const Box& panel = layout.timePanel;
    const double t = layout.textHeight;
    const std::vector<model::Moment>& moments = scene.overTime->moments;
    paintTracks(painter, scene, layout, ratio);
    const double x = xOfMoment(panel, scene.cursor, moments.size());
    painter.setPen(QPen(Qt::yellow, std::max(2.0, t / 6.0)));
    painter.drawLine(QPointF(x, panel.y), QPointF(x, panel.bottom()));
    painter.setPen(Qt::white);
    const double markWidth = panel.x - 0.3 * t;
    for (const auto& [y, text] : {std::pair(panel.y, QStringLiteral("0")),
                                  std::pair(panel.bottom(), QString::number(decibelFloor))}) {
        labels.draw(QRectF(0, y - t * 0.6, markWidth, t * 1.2), Qt::AlignRight | Qt::AlignVCenter,
                    text, t);
    }
    const QRectF above(panel.x, panel.y - 1.35 * t, panel.width, 1.2 * t);
    labels.draw(above.adjusted(0, 0, -panel.width * 0.45, 0), Qt::AlignLeft | Qt::AlignVCenter,
                scene.overTimeNote, t);
    labels.draw(above.adjusted(panel.width * 0.57, 0, 0, 0), Qt::AlignRight | Qt::AlignVCenter,
                scene.cursorNote, t);
    const QRectF under(panel.x, panel.bottom() + 0.15 * t, panel.width, 1.2 * t);
    labels.draw(under.adjusted(0, 0, -panel.width * 0.6, 0), Qt::AlignLeft | Qt::AlignVCenter,
                scene.startNote, t);
    labels.draw(under.adjusted(panel.width * 0.6, 0, 0, 0), Qt::AlignRight | Qt::AlignVCenter,
                scene.endNote, t);
}

} // namespace largeview
