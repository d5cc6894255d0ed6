#include "Picture.h"

#include "ChartPicture.h"
#include "Stroke.h"
#include "TimePanel.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QRegion>
#include <cmath>
#include <numbers>
#include <span>
#include <vector>

namespace largeview {
namespace {

// The sum of the sounding harmonics (or of the one given) at the middle of each column, two
// periods across. Each harmonic is a phasor turned by its own step from column to column, so a
// frame takes no sines after the first column's.
void sumAcross(std::span<double> out, const Scene& scene, std::optional<std::size_t> only = {}) {
    struct Turning {
        double sinePart, cosinePart; // of the amplitude, by the phase
        double sine, cosine;         // of k x at this column
        double stepSine, stepCosine; // of k times the step
    };
    std::vector<Turning> sounding;
    const double step = 4.0 * std::numbers::pi / double(out.size());
    for (std::size_t k = 0; k < scope::harmonicCount; ++k) {
        if ((!only || *only == k) && scene.timbre.amplitudes[k] != 0.0) {
            const double radians = scene.heard[k] * std::numbers::pi / 180.0;
            const auto n = double(k + 1);
            sounding.push_back({scene.timbre.amplitudes[k] * std::cos(radians),
                                scene.timbre.amplitudes[k] * std::sin(radians),
                                std::sin(n * step / 2), std::cos(n * step / 2), std::sin(n * step),
                                std::cos(n * step)});
        }
    }
    for (double& value : out) {
        value = 0.0;
        for (Turning& h : sounding) {
            value += h.sinePart * h.sine + h.cosinePart * h.cosine;
            const double next = h.sine * h.stepCosine + h.cosine * h.stepSine;
            h.cosine = h.cosine * h.stepCosine - h.sine * h.stepSine;
            h.sine = next;
        }
    }
}

// The wave's area in whole device pixels, so that its picture lands on them one to one.
QRect devicePixelsOf(const Box& area, double ratio) {
    const QPoint topLeft(int(std::round(area.x * ratio)), int(std::round(area.y * ratio)));
    const QPoint bottomRight(int(std::round((area.x + area.width) * ratio)),
                             int(std::round(area.bottom() * ratio)));
    return {topLeft, bottomRight - QPoint(1, 1)};
}

// The wave's picture, drawn by columns into an image of the area's device pixels.
void paintWaveImage(QPainter& painter, const Scene& scene, const Layout& layout, double ratio,
                    double scale) {
    const Box& area = layout.wave;
    const double line = std::max(1.0, layout.textHeight / 8.0);
    const scope::Target* aim = scene.aim;
    const QRect pixels = devicePixelsOf(area, ratio);
    QImage wave(pixels.size(), QImage::Format_RGB32);
    wave.fill(Qt::black);
    const Canvas canvas{reinterpret_cast<std::uint32_t*>(wave.bits()), wave.width(), wave.height(),
                        int(wave.bytesPerLine() / 4)};
    std::vector<double> heights(std::size_t(wave.width()));
    const auto graph = [&](double thickness, QColor colour) {
        for (double& y : heights) {
            y = wave.height() * (0.5 - 0.5 * y / scale);
        }
        strokeGraph(canvas, heights, thickness * ratio, colour.rgb());
    };
    std::fill(heights.begin(), heights.end(), 0.0);
    graph(line, Qt::yellow);
    if (scene.harmonics) {
        for (std::size_t k = 0; k < scene.timbre.amplitudes.size(); ++k) {
            if (scene.timbre.amplitudes[k] != 0.0) {
                sumAcross(heights, scene, k);
                graph(line, colourOf(k));
            }
        }
    }
    if (aim != nullptr) {
        for (std::size_t i = 0; i < heights.size(); ++i) {
            heights[i] =
                aim->at(4.0 * std::numbers::pi * (double(i) + 0.5) / double(heights.size()));
        }
        graph(line * 2, QColor(150, 150, 150));
    }
    sumAcross(heights, scene);
    graph(line * 2.5, Qt::green);
    wave.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(pixels.topLeft()) / ratio, wave);
    painter.setPen(QPen(QColor(60, 60, 60), line));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rectOf(area));
}

// The wave with its scale at its left, the scale's note and the fit figures or the game's level
// and score above it, and what was just said over its foot.
void paintWave(QPainter& painter, Labels& labels, const Scene& scene, const Layout& layout,
               double ratio) {
    const Box& area = layout.wave;
    const double t = layout.textHeight;
    double peak = peakOf({scene.timbre.amplitudes, scene.heard});
    if (const scope::Target* aim = scene.aim) {
        for (const double v : aim->onGrid()) {
            peak = std::max(peak, std::fabs(v));
        }
    }
    const double scale = scaleFor(peak);
    paintWaveImage(painter, scene, layout, ratio, scale);
    painter.setPen(Qt::white);
    const double markWidth = area.x - 0.3 * t;
    const double markSize =
        labels.fitting({QString::number(scale), QString::number(-scale)}, t, markWidth);
    labels.draw(QRectF(0, area.y - markSize * 0.6, markWidth, markSize * 1.2),
                Qt::AlignRight | Qt::AlignVCenter, QString::number(scale), markSize);
    labels.draw(QRectF(0, area.bottom() - markSize * 0.6, markWidth, markSize * 1.2),
                Qt::AlignRight | Qt::AlignVCenter, QString::number(-scale), markSize);
    // Above the wave: its scale at the left, the figures at the right, each in its own share.
    const QString left = scene.scaleNote.isEmpty() ? QString() : scene.scaleNote.arg(scale);
    QString right = scene.fit;
    if (!scene.status.isEmpty()) {
        right = right.isEmpty() ? scene.status : right + QStringLiteral("   ") + scene.status;
    }
    const double gap = 2 * t;
    const double leftWidth = std::min(labels.widthOf(left, t) + 1,
                                      right.isEmpty() ? area.width : (area.width - gap) * 0.4);
    const QRectF above(area.x, area.y - 1.35 * t, area.width, 1.2 * t);
    labels.draw(QRectF(above.x(), above.y(), leftWidth, above.height()),
                Qt::AlignLeft | Qt::AlignVCenter, left, t);
    labels.draw(above.adjusted(leftWidth + gap, 0, 0, 0), Qt::AlignRight | Qt::AlignVCenter, right,
                t);
    if (!scene.note.isEmpty()) {
        const QRectF foot(area.x + t * 0.5, area.y + area.height * 0.6, area.width - t,
                          area.height * 0.4 - t * 0.5);
        painter.fillRect(foot, QColor(40, 40, 40, 220));
        painter.setPen(Qt::white);
        labels.drawWrapped(foot.adjusted(t * 0.3, t * 0.2, -t * 0.3, -t * 0.2), scene.note,
                           std::min(t, foot.height() / 2.6));
    }
}

// The sounding harmonics' colours and numbers, as the harmonics view draws them, over as many
// rows as the layout gives, in a size at which all of them fit.
void paintLegend(QPainter& painter, Labels& labels, const Scene& scene, const Layout& layout) {
    if (!scene.harmonics && scene.overTime == nullptr) {
        return;
    }
    // The tracks show every harmonic, the wave only those that sound.
    std::vector<std::size_t> sounding;
    for (std::size_t k = 0; k < scene.timbre.amplitudes.size(); ++k) {
        if (scene.timbre.amplitudes[k] != 0.0 || scene.overTime != nullptr) {
            sounding.push_back(k);
        }
    }
    const Box& box = layout.legend;
    const double rowHeight = box.height / layout.legendRows;
    double h = layout.textHeight;
    const auto titleWidth = [&](double size) {
        return labels.widthOf(scene.harmonicsNote, size) + size;
    };
    // Rows needed at a size: the title, then each swatch and number 2.8 sizes wide.
    const auto rowsAt = [&](double size) {
        const double perRow = std::floor(box.width / (2.8 * size));
        const double first = std::floor((box.width - titleWidth(size)) / (2.8 * size));
        const auto count = double(sounding.size());
        return count <= first ? 1.0 : 1.0 + std::ceil((count - first) / std::max(1.0, perRow));
    };
    while (h > 4 && rowsAt(h) > layout.legendRows) {
        h *= 0.9;
    }
    double x = box.x;
    double y = box.y + (rowHeight - h * 1.4) / 2;
    painter.setPen(Qt::white);
    const double title = titleWidth(h);
    labels.draw(QRectF(x, y, title, h * 1.4), Qt::AlignLeft | Qt::AlignVCenter, scene.harmonicsNote,
                h);
    x += title;
    for (const std::size_t k : sounding) {
        if (x + 2.8 * h > box.x + box.width + 0.5) {
            x = box.x;
            y += rowHeight;
        }
        painter.fillRect(QRectF(x, y + h * 0.5, h * 0.9, h * 0.4), colourOf(k));
        painter.setPen(colourOf(k).lighter(150));
        labels.draw(QRectF(x + h, y, h * 1.7, h * 1.4), Qt::AlignLeft | Qt::AlignVCenter,
                    QString::number(k + 1), h);
        x += h * 2.8;
    }
}

} // namespace

Drawn paint(QPaintDevice& device, const Scene& scene) {
    // Every shape here lies along the pixels, so nothing needs smoothing but the texts.
    QPainter painter(&device);
    const double width = device.width();
    const double height = scene.height > 0 ? std::min(scene.height, double(device.height()))
                                           : double(device.height());
    const Layout layout = layoutFor(width, height, scene.overTime != nullptr);
    // The wave's picture covers its area whole: the black goes only round it.
    painter.setClipRegion(QRegion(0, 0, device.width(), device.height()) -
                          QRegion(rectOf(layout.wave).toAlignedRect().adjusted(1, 1, -1, -1)));
    painter.fillRect(QRectF(0, 0, width, device.height()), Qt::black);
    painter.setClipping(false);
    Labels labels(painter);
    paintWave(painter, labels, scene, layout, device.devicePixelRatioF());
    paintLegend(painter, labels, scene, layout);
    paintTimePanel(painter, labels, scene, layout, device.devicePixelRatioF());
    paintChart(painter, labels, scene, layout);
    return {labels.drawn(), labels.cut()};
}

} // namespace largeview
