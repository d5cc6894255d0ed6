#pragma once

#include "forms/ScrollBar.h"
#include "forms/TextBox.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace editor {

// Slot i is box i with slider i; it carries harmonic number i + 1.
inline constexpr std::size_t slotCount = 17;
inline constexpr std::int16_t maxAmplitude = 200;
inline constexpr std::int16_t minAmplitude = -200;

using Boxes = std::array<forms::TextBox*, slotCount>;
using Sliders = std::array<forms::ScrollBar*, slotCount>;

} // namespace editor
