#pragma once

#include "SoundSnapshot.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace audio {

inline constexpr std::size_t wavetableLength = 2048;
// The chunk that keeps the recipe of a table Tonvirta wrote.
inline constexpr std::string_view recipeChunkId = "tonv";

// One period of the sum, phases in degrees, sample n at phase 2 pi n / 2048 from 0 as the display
// starts, scaled so that the largest sample has magnitude 1. Nothing at all when every amplitude is
// 0.
std::vector<float> wavetableOf(const model::Timbre& timbre);

// Frames of such periods end to end, a silent frame as silence.
std::vector<float> wavetableOf(std::span<const model::Timbre> frames);

// Periods end to end as a mono 32-bit float WAV file whose "clm " and "srge" chunks tell
// wavetable synthesizers to read it as frames of 2048 samples, with the recipe that made them
// in a chunk of its own; written whole or not at all. Returns why it failed, or nothing.
std::string exportWavetable(const std::filesystem::path& path, const std::vector<float>& table,
                            std::string_view recipe);

} // namespace audio
