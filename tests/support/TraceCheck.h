#pragma once

#include "forms/Display.h"

#include <array>
#include <functional>
#include <string>

namespace testing_support {

using PixelReader = std::function<forms::Color(int x, int y)>;

// Checks a 512 x 256 picture against the trace it should show, allowing for how a rasteriser
// may place a line's pixels: every column whose segment lies on the surface has green ink,
// all of it within one pixel of the segment; yellow appears only on the zero line. Returns a
// description of the first fault, or an empty string.
std::string checkTracePicture(const PixelReader& pixel, const std::array<double, 512>& trace);

} // namespace testing_support
