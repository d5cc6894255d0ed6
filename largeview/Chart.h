#pragma once

#include "model/Timbre.h"
#include "scope/Synthesis.h"

#include <array>
#include <cstddef>

namespace largeview {

struct Box {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    [[nodiscard]] double bottom() const { return y + height; }
    [[nodiscard]] bool contains(double px, double py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
};

inline constexpr double amplitudeLimit = model::amplitudeLimit;
inline constexpr double decibelFloor = -60.0; // a bar in dB starts here, against the limit

// Where everything of the large view lies at a size, in its pixels: the wave over two periods
// above, with its scale and the fit figures over it and the harmonics' legend under it; the chart
// of the 17 harmonics below, its scale to its left. Texts are 2.8 % of the height, so that they
// can be read from the back of a room, or 2 % of the width where that is less, so that a
// portrait screen's fit across it.
struct Layout {
    Box wave;
    Box legend; // under the wave, so that it never hides the wave; a row or two
    int legendRows = 1;
    Box timePanel; // between the legend and the chart, while a note over time is shown
    Box chart;
    std::array<Box, scope::harmonicCount> bars{};   // the amplitude's column
    std::array<Box, scope::harmonicCount> phases{}; // the phase's narrow column beside it
    double textHeight = 0;
};
// With the time panel, the wave gives up the room the panel takes.
Layout layoutFor(double width, double height, bool timePanel = false);

// A bar's height for an amplitude as a fraction of its column, from its foot: linear bars grow
// both ways from the middle, bars in dB only up, by magnitude.
double barFraction(double amplitude, bool decibels);
// The amplitude a point of a bar's column stands for, whole, as the box rounds; in dB the
// sign stays the one given.
double amplitudeAt(const Box& column, double y, bool decibels, double sign);
// A phase column: -90 degrees at the foot, 90 at the top, whole degrees.
double phaseAt(const Box& column, double y);

// The amplitude the top of the wave's area stands for: the first round number (1, 1.2, 1.5, 2,
// 2.5, 3, 4, 5, 6 or 8 times a power of ten) the whole wave fits under, never less than 10.
double scaleFor(double peak);
// The sum's largest magnitude over a period.
double peakOf(const model::Timbre& timbre);

} // namespace largeview
