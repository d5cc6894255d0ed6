#include "MemoryDisplay.h"

#include "forms/LineRaster.h"

#include <algorithm>
#include <cstddef>

namespace forms {

MemoryDisplay::MemoryDisplay(int width, int height, Color background)
    : width_(width), height_(height), background_(background),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background) {}

void MemoryDisplay::cls() {
    std::fill(pixels_.begin(), pixels_.end(), background_);
    strokes_.clear();
    ++clears_;
}

void MemoryDisplay::curve(std::span<const float> ys, Color color) {
    rasteriseCurve(ys, width_, height_, [&](int x, int y) {
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)] = color;
    });
}

Color MemoryDisplay::pixel(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void MemoryDisplay::line(PointF from, PointF to, Color color) {
    strokes_.push_back({{from, to}, color});
    rasteriseLine({from, to}, width_, height_, [&](int x, int y) {
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)] = color;
    });
}

} // namespace forms
