#pragma once

#include "SoundSnapshot.h"

#include <filesystem>
#include <string>
#include <vector>

namespace audio {

inline constexpr std::size_t wavetableLength = 2048;

// One period of the sum, phases in degrees, sample n at phase 2 pi n / 2048 from 0 as the display
// starts, scaled so that the largest sample has magnitude 1. Nothing at all when every amplitude is
// 0.
std::vector<float> wavetableOf(const model::Timbre& timbre);

// The period as a mono 32-bit float WAV file whose "clm " and "srge" chunks tell wavetable
// synthesizers to read it as frames of 2048 samples; written whole or not at all. Returns why it
// failed, or nothing.
std::string exportWavetable(const std::filesystem::path& path, const std::vector<float>& table);

} // namespace audio
