#include "MemoryDisplay.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace forms {

MemoryDisplay::MemoryDisplay(int width, int height, Color background)
    : width_(width), height_(height), background_(background),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background) {}

void MemoryDisplay::cls() {
    std::fill(pixels_.begin(), pixels_.end(), background_);
    strokes_.clear();
    ++clears_;
}

Color MemoryDisplay::pixel(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void MemoryDisplay::plot(double x, double y, Color color) {
    const double column = std::floor(x);
    const double row = std::floor(y);
    if (column < 0.0 || row < 0.0 || column >= width_ || row >= height_) {
        return;
    }
    pixels_[static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(column)] = color;
}

// Aliased one-pixel lines the way the toolkit's cosmetic pen with flat caps draws them: along
// the longer axis the pixels whose centres lie in [start, end), across it the floor of the
// interpolated coordinate.
void MemoryDisplay::line(PointF from, PointF to, Color color) {
    strokes_.push_back({{from, to}, color});
    const auto clipped = clipSegment({from, to}, {0.0, 0.0, double(width_), double(height_)});
    if (!clipped) {
        return;
    }
    double x0 = clipped->from.x;
    double y0 = clipped->from.y;
    double x1 = clipped->to.x;
    double y1 = clipped->to.y;
    const bool alongX = std::fabs(x1 - x0) >= std::fabs(y1 - y0);
    if (!alongX) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x1 < x0) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const double slope = x1 > x0 ? (y1 - y0) / (x1 - x0) : 0.0;
    for (double centre = std::ceil(x0 - 0.5) + 0.5; centre < x1; centre += 1.0) {
        const double across = y0 + (centre - x0) * slope;
        if (alongX) {
            plot(centre, across, color);
        } else {
            plot(across, centre, color);
        }
    }
}

} // namespace forms
