#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace analysis {

// What a WAV file's chunks say of it as a wavetable: the texts of its "clm " and "srge" chunks
// and of the recipe Tonvirta keeps in its own, where it has them.
struct TableChunks {
    std::optional<std::string> clm;
    std::optional<std::string> srge;
    std::optional<std::string> recipe;
};

struct Sound {
    std::vector<float> samples; // mono
    double rate = 0.0;
    TableChunks chunks;
    std::size_t notFinite = 0; // samples that were not numbers, read as silence
};

// Whatever libsndfile reads (WAV, FLAC, Ogg Vorbis and Opus, MP3, AIFF, …): at most the first
// 30 s, or a wavetable's largest, channels mixed to one, anything not a finite number taken as
// silence. Reading stops where the data does, whatever the header promised. Nothing for a file
// it cannot read or that holds no sound at all, unless its chunks say it is a wavetable.
std::optional<Sound> readSound(const std::string& path);
std::optional<Sound> readSound(std::span<const std::byte> bytes);

} // namespace analysis
