#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace analysis {

struct Sound {
    std::vector<float> samples; // mono
    double rate = 0.0;
};

// Whatever libsndfile reads (WAV, FLAC, Ogg Vorbis and Opus, MP3, AIFF, …): at most the first
// 30 s, channels mixed to one, anything not a finite number taken as silence. Reading stops where
// the data does, whatever the header promised. Nothing for a file it cannot read or that holds
// no sound at all.
std::optional<Sound> readSound(const std::string& path);
std::optional<Sound> readSound(std::span<const std::byte> bytes);

} // namespace analysis
