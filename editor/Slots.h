#pragma once

#include "forms/ScrollBar.h"
#include "forms/TextBox.h"
#include "model/Timbre.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace editor {

// Slot i is box i with slider i; it carries harmonic number i + 1.
inline constexpr std::size_t slotCount = model::harmonicCount;
inline constexpr auto maxAmplitude = static_cast<std::int16_t>(model::amplitudeLimit);
inline constexpr auto minAmplitude = static_cast<std::int16_t>(-model::amplitudeLimit);

using Boxes = std::array<forms::TextBox*, slotCount>;
using Sliders = std::array<forms::ScrollBar*, slotCount>;

} // namespace editor
