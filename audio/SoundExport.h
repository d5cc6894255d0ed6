#pragma once

#include "SoundSnapshot.h"

#include <filesystem>
#include <functional>
#include <string>

namespace audio {

inline constexpr double exportSeconds = 5.0;
inline constexpr int exportSampleRate = 48000;

// Writes the sound of the snapshot, whether or not it is switched on, as a mono 16-bit WAV
// file: the synthesizer's own ramp fades it in at the start and out at the end. It is written
// beside the file first and renamed only when whole, so a failure leaves nothing under the
// name. Returns why it failed, or nothing.
std::string exportSound(const std::filesystem::path& path, SoundSnapshot snapshot);

// Writes a file with the given writer beside its name, and renames it there only when whole;
// returns why it failed, or nothing.
std::string writeWhole(const std::filesystem::path& path,
                       const std::function<std::string(const std::filesystem::path&)>& writer);

} // namespace audio
