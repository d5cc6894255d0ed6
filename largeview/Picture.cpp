#include "Picture.h"

#include "Chart.h"
#include "Stroke.h"
#include "scope/Palette.h"

#include <QFont>
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

QColor colourOf(std::size_t k) {
    const forms::Color c = scope::harmonicColour(k);
    return {c.red, c.green, c.blue};
}

QRectF rectOf(const Box& box) {
    return {box.x, box.y, box.width, box.height};
}

void setTextHeight(QPainter& painter, double height, bool bold = false) {
    QFont font = painter.font();
    font.setPixelSize(std::max(1, int(std::ceil(height))));
    font.setBold(bold);
    painter.setFont(font);
}

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
        if ((!only || *only == k) && scene.amplitudes[k] != 0.0) {
            const double radians = scene.heard[k] * std::numbers::pi / 180.0;
            const auto n = double(k + 1);
            sounding.push_back({scene.amplitudes[k] * std::cos(radians),
                                scene.amplitudes[k] * std::sin(radians), std::sin(n * step / 2),
                                std::cos(n * step / 2), std::sin(n * step), std::cos(n * step)});
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

const scope::Target* aimOf(const Scene& scene) {
    const scope::Views* views = scene.views;
    if (views == nullptr) {
        return nullptr;
    }
    if (views->round) {
        return views->round->hidden ? &*views->round->hidden : nullptr;
    }
    return views->target && views->aim ? &*views->aim : nullptr;
}

// The wave's area in whole device pixels, so that its picture lands on them one to one.
QRect devicePixelsOf(const Box& area, double ratio) {
    const QPoint topLeft(int(std::round(area.x * ratio)), int(std::round(area.y * ratio)));
    const QPoint bottomRight(int(std::round((area.x + area.width) * ratio)),
                             int(std::round(area.bottom() * ratio)));
    return {topLeft, bottomRight - QPoint(1, 1)};
}

void paintWave(QPainter& painter, const Scene& scene, const Layout& layout, double ratio) {
    const Box& area = layout.wave;
    const double line = std::max(1.0, layout.textHeight / 8.0);
    const scope::Target* aim = aimOf(scene);
    double peak = peakOf(scene.amplitudes, scene.heard);
    if (aim != nullptr) {
        for (const double v : aim->onGrid()) {
            peak = std::max(peak, std::fabs(v));
        }
    }
    const double scale = scaleFor(peak);
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
    if (scene.views != nullptr && scene.views->harmonics) {
        for (std::size_t k = 0; k < scene.amplitudes.size(); ++k) {
            if (scene.amplitudes[k] != 0.0) {
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
    painter.setPen(Qt::white);
    setTextHeight(painter, layout.textHeight);
    const QRectF marks(0, area.y - layout.textHeight * 0.6, area.x - layout.textHeight * 0.3,
                       area.height + 1.2 * layout.textHeight);
    painter.drawText(marks, Qt::AlignRight | Qt::AlignTop, QString::number(scale));
    painter.drawText(marks, Qt::AlignRight | Qt::AlignBottom, QString::number(-scale));
    const QRectF above(area.x, 0, area.width, area.y);
    painter.drawText(above, Qt::AlignLeft | Qt::AlignVCenter,
                     scene.scaleNote.isEmpty() ? QString() : scene.scaleNote.arg(scale));
    if (aim != nullptr) {
        painter.drawText(above, Qt::AlignRight | Qt::AlignVCenter, scene.fit);
    }
}

// The sounding harmonics' colours and numbers, as the harmonics view draws them.
void paintLegend(QPainter& painter, const Scene& scene, const Layout& layout) {
    if (scene.views == nullptr || !scene.views->harmonics) {
        return;
    }
    const double h = layout.textHeight;
    double x = layout.legend.x;
    const double y = layout.legend.y;
    setTextHeight(painter, h);
    painter.setPen(Qt::white);
    const double titleWidth = painter.fontMetrics().horizontalAdvance(scene.harmonicsNote) + h;
    painter.drawText(QRectF(x, y, titleWidth, h * 1.4), Qt::AlignVCenter, scene.harmonicsNote);
    x += titleWidth;
    for (std::size_t k = 0; k < scene.amplitudes.size(); ++k) {
        if (scene.amplitudes[k] == 0.0) {
            continue;
        }
        painter.fillRect(QRectF(x, y + h * 0.5, h * 0.9, h * 0.4), colourOf(k));
        painter.setPen(colourOf(k).lighter(150));
        painter.drawText(QRectF(x + h, y, h * 1.6, h * 1.4), Qt::AlignVCenter,
                         QString::number(k + 1));
        x += h * 2.8;
    }
}

void paintChart(QPainter& painter, const Scene& scene, const Layout& layout) {
    const double h = layout.textHeight;
    setTextHeight(painter, h * 0.8);
    painter.setPen(QColor(200, 200, 200));
    painter.drawText(QRectF(layout.chart.x, layout.chart.y - h * 1.1, layout.chart.width, h),
                     Qt::AlignLeft | Qt::AlignVCenter, scene.chartNote);
    for (std::size_t k = 0; k < scene.amplitudes.size(); ++k) {
        const Box& column = layout.bars[k];
        const Box& phaseColumn = layout.phases[k];
        painter.fillRect(rectOf(column), QColor(25, 25, 25));
        painter.fillRect(rectOf(phaseColumn), QColor(25, 25, 25));
        const double foot = scene.decibels ? column.bottom() : column.y + column.height / 2;
        const double top =
            column.bottom() - column.height * barFraction(scene.amplitudes[k], scene.decibels);
        QColor colour = colourOf(k).lighter(130);
        if (scene.decibels && scene.amplitudes[k] < 0.0) {
            colour = colour.darker(140); // below zero, shown as its magnitude
        }
        painter.fillRect(QRectF(column.x, std::min(top, foot), column.width, std::fabs(foot - top)),
                         colour);
        const double middle = phaseColumn.y + phaseColumn.height / 2;
        const double phaseTop = middle - phaseColumn.height / 2 * scene.phases[k] / 90.0;
        painter.fillRect(QRectF(phaseColumn.x, std::min(middle, phaseTop), phaseColumn.width,
                                std::max(1.0, std::fabs(phaseTop - middle))),
                         scene.heard[k] == scene.phases[k] ? QColor(230, 230, 230)
                                                           : QColor(110, 110, 110));
        if (scene.focused == k) {
            painter.setPen(QPen(Qt::white, std::max(2.0, h / 6), Qt::DashLine));
            painter.drawRect(rectOf(column).united(rectOf(phaseColumn)).adjusted(-2, -2, 2, 2));
        }
        const QRectF under(column.x - column.width * 0.2, column.bottom(),
                           phaseColumn.x + phaseColumn.width - column.x + column.width * 0.4,
                           h * 1.2);
        setTextHeight(painter, h, true);
        painter.setPen(colourOf(k).lighter(160));
        painter.drawText(under, Qt::AlignCenter, QString::number(k + 1));
        setTextHeight(painter, h);
        painter.setPen(Qt::white);
        painter.drawText(under.translated(0, h * 1.2), Qt::AlignCenter,
                         QString::number(scene.amplitudes[k], 'g', 4));
        painter.drawText(under.translated(0, h * 2.4), Qt::AlignCenter,
                         QString::number(scene.phases[k]) + QChar(0x00B0));
    }
}

} // namespace

void paint(QPaintDevice& device, const Scene& scene) {
    // Every shape here lies along the pixels, so nothing needs smoothing but the texts.
    QPainter painter(&device);
    const double width = device.width();
    const double height = scene.height > 0 ? std::min(scene.height, double(device.height()))
                                           : double(device.height());
    const Layout layout = layoutFor(width, height);
    // The wave's picture covers its area whole: the black goes only round it.
    painter.setClipRegion(QRegion(0, 0, device.width(), device.height()) -
                          QRegion(rectOf(layout.wave).toAlignedRect().adjusted(1, 1, -1, -1)));
    painter.fillRect(QRectF(0, 0, width, device.height()), Qt::black);
    painter.setClipping(false);
    paintWave(painter, scene, layout, device.devicePixelRatioF());
    paintLegend(painter, scene, layout);
    paintChart(painter, scene, layout);
}

} // namespace largeview
