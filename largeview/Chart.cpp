#include "Chart.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace largeview {

Layout layoutFor(double width, double height, bool timePanel) {
    Layout layout;
    // Under 64 px at 2160: glyphs cached.
    layout.textHeight = std::max(10.0, std::min(0.028 * height, 0.02 * width));
    const double t = layout.textHeight;
    // The legend's title and 17 swatches with their numbers, as wide as they are drawn.
    layout.legendRows = 7 * t + 17 * 2.8 * t > width - 4 * t ? 2 : 1;
    const double moreRows = 1.4 * t * (layout.legendRows - 1);
    // With the time panel, what the texts leave is shared: a little more to the wave.
    const double shared = height - t * (11.5 + 1.4 * layout.legendRows);
    const double waveHeight = timePanel ? shared * 0.36 : height * 0.52 - t * 3 - moreRows;
    layout.wave = {t * 3, t * 1.5, width - t * 4, waveHeight};
    layout.legend = {layout.wave.x, layout.wave.bottom() + t * 0.1, layout.wave.width,
                     t * 1.4 * layout.legendRows};
    double chartTop = layout.legend.bottom() + t * 1.9;
    if (timePanel) {
        // Its title and the cursor's figures above it, its times under it.
        layout.timePanel = {layout.wave.x, chartTop - t * 0.4, layout.wave.width, shared * 0.3};
        chartTop = layout.timePanel.bottom() + t * 3.3;
    }
    // Under the bars: the harmonic's number, its amplitude and its phase, a line each.
    layout.chart = {t * 3, chartTop, width - 4 * t, height - chartTop - 4.1 * t};
    const double slot = layout.chart.width / double(scope::harmonicCount);
    for (std::size_t k = 0; k < scope::harmonicCount; ++k) {
        const double left = layout.chart.x + slot * double(k);
        layout.bars[k] = {left + slot * 0.1, layout.chart.y, slot * 0.55, layout.chart.height};
        layout.phases[k] = {left + slot * 0.7, layout.chart.y, slot * 0.18, layout.chart.height};
    }
    return layout;
}

double barFraction(double amplitude, bool decibels) {
    const double magnitude = std::min(std::fabs(amplitude), amplitudeLimit);
    if (!decibels) {
        return 0.5 + 0.5 * std::copysign(magnitude, amplitude) / amplitudeLimit;
    }
    if (magnitude == 0.0) {
        return 0.0;
    }
    const double db = 20.0 * std::log10(magnitude / amplitudeLimit);
    return std::clamp(1.0 - db / decibelFloor, 0.0, 1.0);
}

double amplitudeAt(const Box& column, double y, bool decibels, double sign) {
    const double fraction = std::clamp((column.bottom() - y) / column.height, 0.0, 1.0);
    if (!decibels) {
        return std::nearbyint((fraction - 0.5) * 2.0 * amplitudeLimit);
    }
    if (fraction == 0.0) {
        return 0.0;
    }
    const double magnitude =
        amplitudeLimit * std::pow(10.0, (1.0 - fraction) * decibelFloor / 20.0);
    return std::nearbyint(std::copysign(magnitude, sign < 0 ? -1.0 : 1.0));
}

double phaseAt(const Box& column, double y) {
    const double fraction = std::clamp((column.bottom() - y) / column.height, 0.0, 1.0);
    return std::nearbyint(-90.0 + 180.0 * fraction);
}

double scaleFor(double peak) {
    if (!std::isfinite(peak) || peak > 1e12) {
        return peak;
    }
    double step = 10.0;
    while (true) {
        for (const double m : {1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0}) {
            if (m * step >= peak) {
                return m * step;
            }
        }
        step *= 10.0;
    }
}

double peakOf(const model::Timbre& timbre) {
    const auto& [amplitudes, phases] = timbre;
    constexpr int points = 1024;
    double peak = 0.0;
    for (int i = 0; i < points; ++i) {
        const double x = 2.0 * std::numbers::pi * i / points;
        double sum = 0.0;
        for (std::size_t k = 0; k < amplitudes.size(); ++k) {
            if (amplitudes[k] != 0.0) {
                sum += amplitudes[k] *
                       std::sin(double(k + 1) * x + phases[k] * std::numbers::pi / 180.0);
            }
        }
        peak = std::max(peak, std::fabs(sum));
    }
    return peak;
}

} // namespace largeview
