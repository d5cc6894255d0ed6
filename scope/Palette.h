#pragma once

#include "forms/Display.h"

#include <array>
#include <cstddef>

namespace scope {

// Dim enough to stay behind the sum, distinct enough to tell apart on black; harmonic k + 1
// has colour k, round the palette.
inline constexpr std::array<forms::Color, 8> harmonicPalette{{{170, 70, 70},
                                                              {170, 120, 50},
                                                              {150, 150, 60},
                                                              {70, 150, 80},
                                                              {60, 140, 160},
                                                              {90, 100, 180},
                                                              {140, 90, 170},
                                                              {170, 80, 130}}};

constexpr forms::Color harmonicColour(std::size_t index) {
    return harmonicPalette[index % harmonicPalette.size()];
}

} // namespace scope
