#pragma once

#include "SoundSnapshot.h"

#include <filesystem>
#include <span>
#include <string>

namespace audio {

inline constexpr double exportSeconds = 5.0;
inline constexpr int exportSampleRate = 48000;

// Writes the sound of the snapshot, whether or not it is switched on, as a mono 16-bit WAV
// file: the synthesizer's own ramp fades it in at the start and out at the end. It is written
// beside the file first and renamed only when whole, so a failure leaves nothing under the
// name. Returns why it failed, or nothing.
std::string exportSound(const std::filesystem::path& path, SoundSnapshot snapshot);
// Samples at their rate, written likewise.
std::string writeSound(const std::filesystem::path& path, std::span<const float> samples, int rate);

} // namespace audio
