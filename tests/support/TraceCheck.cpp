#include "TraceCheck.h"

#include <algorithm>
#include <cmath>

namespace testing_support {
namespace {

struct Band {
    double top;
    double bottom;
    [[nodiscard]] bool holds(int row) const { return row + 1 >= top && row <= bottom; }
};

// The trace's points, the first at x = 0 on the zero line.
double pointAt(const std::array<double, 512>& trace, int x) {
    return x <= 0 ? 128.0 : trace[static_cast<std::size_t>(std::min(x, 512) - 1)];
}

// Where the segments from x = first to x = last may put ink, one pixel of slack each side.
Band bandOf(const std::array<double, 512>& trace, int first, int last) {
    Band band{pointAt(trace, first), pointAt(trace, first)};
    for (int x = first + 1; x <= last; ++x) {
        band.top = std::min(band.top, pointAt(trace, x));
        band.bottom = std::max(band.bottom, pointAt(trace, x));
    }
    return {band.top - 1.0, band.bottom + 1.0};
}

} // namespace

// A rasteriser may put a steep segment's pixels in the neighbouring column, so each column is
// held to the segments on either side of it.
std::string checkTracePicture(const PixelReader& pixel, const std::array<double, 512>& trace) {
    std::array<bool, 512> inkedRows{};
    for (int column = 0; column < 512; ++column) {
        const Band allowed = bandOf(trace, column - 1, column + 2);
        for (int row = 0; row < 256; ++row) {
            const forms::Color c = pixel(column, row);
            const std::string where =
                " at (" + std::to_string(column) + ", " + std::to_string(row) + ")";
            if (c == forms::green) {
                if (!allowed.holds(row)) {
                    return "green outside the trace's band" + where;
                }
                inkedRows[static_cast<std::size_t>(column)] = true;
            } else if (c == forms::yellow) {
                if (row != 128) {
                    return "yellow off the zero line" + where;
                }
            } else if (c != forms::black) {
                return "unexpected colour" + where;
            }
        }
    }
    for (int column = 0; column < 512; ++column) {
        const Band segment = bandOf(trace, column, column + 1);
        const bool wholeOnSurface = segment.top + 1.0 >= 0.0 && segment.bottom - 1.0 < 256.0;
        const bool inked = inkedRows[static_cast<std::size_t>(column)] ||
                           (column + 1 < 512 && inkedRows[static_cast<std::size_t>(column + 1)]);
        if (wholeOnSurface && !inked) {
            return "no ink for the segment from x = " + std::to_string(column);
        }
    }
    return {};
}

} // namespace testing_support
