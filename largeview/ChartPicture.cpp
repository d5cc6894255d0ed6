#include "ChartPicture.h"

#include "scope/Palette.h"

#include <array>
#include <cmath>

namespace largeview {
namespace {

double focusPen(double textHeight) {
    return std::max(2.0, textHeight / 6);
}

QString degrees(double phase) {
    return QString::number(phase) + QChar(0x00B0);
}

// Faint lines across the chart at round values, named at its left: decibels down to the floor,
// or the amplitude's ends and zero.
void paintScale(QPainter& painter, Labels& labels, const Scene& scene, const Layout& layout) {
    const double t = layout.textHeight;
    const Box& column = layout.bars[0];
    const std::array<double, 4> decibels{0, -20, -40, -60};
    const std::array<double, 3> linear{amplitudeLimit, 0, -amplitudeLimit};
    std::vector<std::pair<double, QString>> marks;
    if (scene.decibels) {
        for (const double db : decibels) {
            marks.emplace_back(1.0 - db / decibelFloor, QString::number(db));
        }
    } else {
        for (const double a : linear) {
            marks.emplace_back(barFraction(a, false), QString::number(a));
        }
    }
    std::vector<QString> texts;
    texts.reserve(marks.size());
    for (const auto& mark : marks) {
        texts.push_back(mark.second);
    }
    const double width = layout.chart.x - 0.4 * t;
    const double size = labels.fitting(texts, 0.8 * t, width);
    painter.setPen(QPen(QColor(70, 70, 70), 1));
    for (const auto& [fraction, text] : marks) {
        const double y = column.bottom() - column.height * fraction;
        painter.drawLine(QPointF(layout.chart.x, y),
                         QPointF(layout.chart.x + layout.chart.width, y));
    }
    painter.setPen(QColor(200, 200, 200));
    for (const auto& [fraction, text] : marks) {
        const double y = column.bottom() - column.height * fraction;
        // The ends' names stay within the chart's height, so they meet no other text.
        const double top = std::clamp(y - size / 2, column.y, column.bottom() - size);
        labels.draw(QRectF(0, top, width, size), Qt::AlignRight | Qt::AlignVCenter, text, size);
    }
}

void paintBar(QPainter& painter, const Scene& scene, const Layout& layout, std::size_t k) {
    const double h = layout.textHeight;
    const Box& column = layout.bars[k];
    const Box& phaseColumn = layout.phases[k];
    painter.fillRect(rectOf(column), QColor(25, 25, 25));
    painter.fillRect(rectOf(phaseColumn), QColor(25, 25, 25));
    const double foot = scene.decibels ? column.bottom() : column.y + column.height / 2;
    const double top =
        column.bottom() - column.height * barFraction(scene.timbre.amplitudes[k], scene.decibels);
    QColor colour = colourOf(k).lighter(130);
    if (scene.decibels && scene.timbre.amplitudes[k] < 0.0) {
        colour = colour.darker(140); // below zero, shown as its magnitude
    }
    painter.fillRect(QRectF(column.x, std::min(top, foot), column.width, std::fabs(foot - top)),
                     colour);
    const double middle = phaseColumn.y + phaseColumn.height / 2;
    const double phaseTop = middle - phaseColumn.height / 2 * scene.timbre.phases[k] / 90.0;
    painter.fillRect(QRectF(phaseColumn.x, std::min(middle, phaseTop), phaseColumn.width,
                            std::max(1.0, std::fabs(phaseTop - middle))),
                     scene.heard[k] == scene.timbre.phases[k] ? QColor(230, 230, 230)
                                                              : QColor(110, 110, 110));
    if (scene.focused == k) {
        const double pen = focusPen(h);
        const double out = pen / 2 + 1; // the frame's outer edge lies pen + 1 beyond the bar
        painter.setPen(QPen(Qt::white, pen, Qt::DashLine));
        painter.drawRect(rectOf(column).united(rectOf(phaseColumn)).adjusted(-out, -out, out, out));
    }
}

} // namespace

QColor colourOf(std::size_t k) {
    const forms::Color c = scope::harmonicColour(k);
    return {c.red, c.green, c.blue};
}

void paintChart(QPainter& painter, Labels& labels, const Scene& scene, const Layout& layout) {
    const double h = layout.textHeight;
    painter.setPen(QColor(200, 200, 200));
    const QString caption = scene.sinePhasesNote.isEmpty()
                                ? scene.chartNote
                                : scene.chartNote + QStringLiteral(" · ") + scene.sinePhasesNote;
    labels.draw(QRectF(layout.chart.x, layout.chart.y - h * 1.5, layout.chart.width, h),
                Qt::AlignLeft | Qt::AlignVCenter, caption, h * 0.8);
    paintScale(painter, labels, scene, layout);
    // Each line of numbers under the bars in one size, the largest at which all fit their slots.
    const double slot = layout.chart.width / double(scope::harmonicCount);
    std::array<std::vector<QString>, 3> rows;
    for (std::size_t k = 0; k < scene.timbre.amplitudes.size(); ++k) {
        rows[0].push_back(QString::number(k + 1));
        rows[1].push_back(QString::number(scene.timbre.amplitudes[k], 'g', 4));
        rows[2].push_back(degrees(scene.timbre.phases[k]));
    }
    const std::array<double, 3> sizes{labels.fitting(rows[0], h, slot * 0.9, true),
                                      labels.fitting(rows[1], h, slot * 0.9),
                                      labels.fitting(rows[2], h, slot * 0.9)};
    for (std::size_t k = 0; k < scene.timbre.amplitudes.size(); ++k) {
        paintBar(painter, scene, layout, k);
        const QRectF under(layout.chart.x + slot * double(k) + slot * 0.05,
                           layout.bars[k].bottom() + focusPen(h) + 2, slot * 0.9, h * 1.2);
        const std::array<QColor, 3> colours{colourOf(k).lighter(160), Qt::white,
                                            scene.sinePhasesNote.isEmpty() ? QColor(Qt::white)
                                                                           : QColor(110, 110, 110)};
        for (std::size_t row = 0; row < 3; ++row) {
            painter.setPen(colours[row]);
            labels.draw(under.translated(0, h * 1.2 * double(row)), Qt::AlignCenter, rows[row][k],
                        sizes[row], row == 0);
        }
    }
}

} // namespace largeview
