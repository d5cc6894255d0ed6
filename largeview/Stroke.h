#pragma once

#include <cstdint>
#include <span>

namespace largeview {

// Opaque pixels as 0xffRRGGBB words, row after row.
struct Canvas {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0; // words from one row to the next
};

// The graph of a curve, heights[i] the y of column i's middle in pixels, drawn over what the
// canvas holds with a round pen `thickness` wide, its upper and lower edges smoothed. Done here
// by columns because a painter's stroker takes tens of milliseconds for one thick curve across
// a 4K screen. Rows outside the canvas are left alone, as are heights that are not finite.
void strokeGraph(const Canvas& canvas, std::span<const double> heights, double thickness,
                 std::uint32_t rgb);

} // namespace largeview
