#include "Drawing.h"

#include "editor/Phases.h"
#include "forms/Conversions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace scope {
namespace {

constexpr double maxAmplitude = model::amplitudeLimit;

double clampedX(double x) {
    return std::clamp(x, 0.0, traceWidth - 1.0);
}

} // namespace

double heightAt(double y) {
    return verticalScale * (centreLine - y);
}

float rowOf(double height) {
    return static_cast<float>(centreLine - height / verticalScale);
}

void Drawing::add(double x, double y) {
    x = clampedX(x);
    y = std::clamp(y, 0.0, 2.0 * centreLine);
    const auto [fromX, fromY] = last_.value_or(std::pair{x, y});
    const int first = static_cast<int>(std::min(fromX, x));
    const int last = static_cast<int>(std::max(fromX, x));
    for (int column = first; column <= last; ++column) {
        const double along = last == first ? 1.0 : (column - fromX) / (x - fromX);
        const double rowHere = fromY + (y - fromY) * std::clamp(along, 0.0, 1.0);
        heights_[static_cast<std::size_t>(column % periodColumns)] = heightAt(rowHere);
    }
    last_ = {x, y};
}

int Drawing::columns() const {
    return static_cast<int>(
        std::count_if(heights_.begin(), heights_.end(), [](auto h) { return h.has_value(); }));
}

Period Drawing::filled() const {
    Period result{};
    for (int column = 0; column < periodColumns; ++column) {
        int before = column;
        int after = column;
        int back = 0;
        int ahead = 0;
        while (!heights_[static_cast<std::size_t>(before)] && back < periodColumns) {
            before = (before + periodColumns - 1) % periodColumns;
            ++back;
        }
        while (!heights_[static_cast<std::size_t>(after)] && ahead < periodColumns) {
            after = (after + 1) % periodColumns;
            ++ahead;
        }
        const double from = heights_[static_cast<std::size_t>(before)].value_or(0.0);
        const double to = heights_[static_cast<std::size_t>(after)].value_or(0.0);
        result[static_cast<std::size_t>(column)] =
            back + ahead == 0 ? from : from + (to - from) * back / (back + ahead);
    }
    return result;
}

Curve Drawing::curve() const {
    Curve result{};
    for (std::size_t x = 0; x < result.size(); ++x) {
        const auto& height = heights_[x % periodColumns];
        result[x] = height ? rowOf(*height) : std::numeric_limits<float>::quiet_NaN();
    }
    return result;
}

Timbre harmonicsOf(const Period& heights) {
    Timbre result;
    for (std::size_t k = 1; k <= harmonicCount; ++k) {
        double sines = 0.0;
        double cosines = 0.0;
        for (std::size_t x = 0; x < heights.size(); ++x) {
            const double angle = static_cast<double>(k) * phaseStep * static_cast<double>(x);
            sines += heights[x] * std::sin(angle);
            cosines += heights[x] * std::cos(angle);
        }
        const editor::Phased phased =
            editor::fromParts(2.0 / periodColumns * sines, 2.0 / periodColumns * cosines);
        const std::int16_t amplitude =
            forms::roundToInt16(std::clamp(phased.amplitude, -maxAmplitude, maxAmplitude));
        result.amplitudes[k - 1] = amplitude;
        result.phases[k - 1] = amplitude == 0 ? 0.0 : phased.phase;
    }
    return result;
}

} // namespace scope
