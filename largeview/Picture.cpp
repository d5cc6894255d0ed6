#include "Picture.h"

#include "Chart.h"
#include "scope/Palette.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

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

double sumAt(const Scene& scene, double x) {
    double sum = 0.0;
    for (std::size_t k = 0; k < scene.amplitudes.size(); ++k) {
        if (scene.amplitudes[k] != 0.0) {
            sum += scene.amplitudes[k] *
                   std::sin(double(k + 1) * x + scene.heard[k] * std::numbers::pi / 180.0);
        }
    }
    return sum;
}

// Two periods of a function of the phase across the wave's area, scaled so that +-scale fills it.
template <class F> QPainterPath curveOf(const Box& area, double scale, F&& value) {
    QPainterPath path;
    const int points = std::max(2, int(area.width));
    for (int i = 0; i <= points; ++i) {
        const double x = 4.0 * std::numbers::pi * i / points;
        const QPointF at(area.x + area.width * i / points,
                         area.y + area.height * (0.5 - 0.5 * value(x) / scale));
        i == 0 ? path.moveTo(at) : path.lineTo(at);
    }
    return path;
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

void paintWave(QPainter& painter, const Scene& scene, const Layout& layout) {
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
    painter.setPen(QPen(QColor(60, 60, 60), line));
    painter.drawRect(rectOf(area));
    painter.setPen(QPen(Qt::yellow, line));
    const double middle = area.y + area.height / 2;
    painter.drawLine(QPointF(area.x, middle), QPointF(area.x + area.width, middle));
    painter.setPen(Qt::white);
    setTextHeight(painter, layout.textHeight);
    const QRectF marks(0, area.y - layout.textHeight * 0.6, area.x - layout.textHeight * 0.3,
                       area.height + 1.2 * layout.textHeight);
    painter.drawText(marks, Qt::AlignRight | Qt::AlignTop, QString::number(scale));
    painter.drawText(marks, Qt::AlignRight | Qt::AlignBottom, QString::number(-scale));
    painter.drawText(QRectF(area.x, 0, area.width, area.y), Qt::AlignLeft | Qt::AlignVCenter,
                     scene.scaleNote.isEmpty() ? QString() : scene.scaleNote.arg(scale));
    painter.setClipRect(rectOf(area));
    if (scene.views != nullptr && scene.views->harmonics) {
        for (std::size_t k = 0; k < scene.amplitudes.size(); ++k) {
            const double a = scene.amplitudes[k];
            const double phase = scene.heard[k] * std::numbers::pi / 180.0;
            if (a != 0.0) {
                painter.setPen(QPen(colourOf(k), line));
                painter.drawPath(curveOf(area, scale, [&](double x) {
                    return a * std::sin(double(k + 1) * x + phase);
                }));
            }
        }
    }
    if (aim != nullptr) {
        painter.setPen(QPen(QColor(150, 150, 150), line * 2));
        painter.drawPath(curveOf(area, scale, [aim](double x) { return aim->at(x); }));
    }
    painter.setPen(QPen(Qt::green, line * 2.5));
    painter.drawPath(curveOf(area, scale, [&](double x) { return sumAt(scene, x); }));
    painter.setClipping(false);
    if (aim != nullptr) {
        painter.setPen(Qt::white);
        painter.drawText(QRectF(area.x, area.y, area.width, area.height - line * 4),
                         Qt::AlignRight | Qt::AlignTop, scene.fit);
    }
}

// The sounding harmonics' colours and numbers, as the harmonics view draws them.
void paintLegend(QPainter& painter, const Scene& scene, const Layout& layout) {
    if (scene.views == nullptr || !scene.views->harmonics) {
        return;
    }
    const double h = layout.textHeight;
    double x = layout.wave.x + h * 0.5;
    const double y = layout.wave.bottom() - h * 1.6;
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
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    const double width = device.width();
    const double height = device.height();
    painter.fillRect(QRectF(0, 0, width, height), Qt::black);
    const Layout layout = layoutFor(width, height);
    paintWave(painter, scene, layout);
    paintLegend(painter, scene, layout);
    paintChart(painter, scene, layout);
}

} // namespace largeview
