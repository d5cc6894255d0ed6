#pragma once

#include "Synthesis.h"

#include <array>
#include <optional>

namespace scope {

// The display shows two periods; a column stands for its phase, x mod periodColumns.
inline constexpr int periodColumns = 256;
using Period = std::array<double, periodColumns>;

// A freehand curve drawn over the display, kept by phase: where both periods are drawn, the
// later point wins.
class Drawing {
public:
    // The next point of the stroke, in display pixels, clamped to the display; joined to the
    // one before by a straight line, so a fast stroke leaves no column out.
    void add(double x, double y);

    // How many phase columns have been drawn.
    [[nodiscard]] int columns() const;
    // One height a phase column, in amplitude units; columns not drawn lie on straight lines
    // between the nearest drawn ones, round the period's end. Needs a drawn column.
    [[nodiscard]] Period filled() const;
    // The drawn columns as they stand, over both periods.
    [[nodiscard]] Curve curve() const;

private:
    std::array<std::optional<double>, periodColumns> heights_{};
    std::optional<std::pair<double, double>> last_;
};

// Amplitude units of a display row: the inverse of the display's own mapping.
double heightAt(double y);
float rowOf(double height);

// The sum of phased harmonics nearest to one period of heights: harmonic k has sine part
// (2/256) * sum of v(x) sin(k c x) and cosine part likewise; its amplitude is rounded to the
// nearest integer (ties to even) and clamped to the amplitude limit, its phase to whole degrees.
Timbre harmonicsOf(const Period& heights);

} // namespace scope
