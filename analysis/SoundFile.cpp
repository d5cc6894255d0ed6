#include "SoundFile.h"

#include "SoundAnalysis.h"
#include "Wavetables.h"
#include "audio/Wavetable.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sndfile.h>
#include <string_view>

namespace analysis {
namespace {

// Far beyond any real sample, small enough that sums of squares stay finite.
constexpr float largest = 1e6F;

// Far more than any recipe or frame size needs, so that a chunk cannot make the reader take
// much memory.
constexpr unsigned largestChunk = 1U << 22U;

std::optional<std::string> chunkText(SNDFILE* file, std::string_view id) {
    SF_CHUNK_INFO wanted{};
    std::memcpy(wanted.id, id.data(), id.size());
    wanted.id_size = unsigned(id.size());
    SF_CHUNK_ITERATOR* chunk = sf_get_chunk_iterator(file, &wanted);
    SF_CHUNK_INFO found{};
    if (chunk == nullptr || sf_get_chunk_size(chunk, &found) != SF_ERR_NO_ERROR ||
        found.datalen > largestChunk) {
        return std::nullopt;
    }
    std::string text(found.datalen, '\0');
    found.data = text.data();
    if (sf_get_chunk_data(chunk, &found) != SF_ERR_NO_ERROR) {
        return std::nullopt;
    }
    return text;
}

TableChunks chunksOf(SNDFILE* file) {
    return {chunkText(file, "clm "), chunkText(file, "srge"),
            chunkText(file, audio::recipeChunkId)};
}

std::optional<Sound> readAll(SNDFILE* file, const SF_INFO& info) {
    std::optional<Sound> sound;
    if (file != nullptr && info.samplerate > 0 && info.channels > 0) {
        sound.emplace();
        sound->rate = info.samplerate;
        sound->chunks = chunksOf(file);
        const bool table = sound->chunks.clm || sound->chunks.srge;
        const auto channels = std::size_t(info.channels);
        const auto wanted = std::max(std::size_t(longestSeconds * info.samplerate),
                                     table ? mostFrames * largestFrame : 0);
        std::vector<float> block(4096 * channels);
        while (sound->samples.size() < wanted) {
            const sf_count_t frames = sf_readf_float(file, block.data(), 4096);
            if (frames <= 0) {
                break;
            }
            for (std::size_t f = 0; f < std::size_t(frames); ++f) {
                float sum = 0.0F;
                for (std::size_t c = 0; c < channels; ++c) {
                    const float v = block[f * channels + c];
                    sum += std::isfinite(v) ? std::clamp(v, -largest, largest) : 0.0F;
                    sound->notFinite += std::isfinite(v) ? 0 : 1;
                }
                sound->samples.push_back(sum / float(channels));
            }
        }
        sound->samples.resize(std::min(sound->samples.size(), wanted));
        if (sound->samples.empty() && !table) {
            sound.reset();
        }
    }
    if (file != nullptr) {
        sf_close(file);
    }
    return sound;
}

struct Memory {
    std::span<const std::byte> bytes;
    sf_count_t at = 0;
};

sf_count_t memoryLength(void* data) {
    return sf_count_t(static_cast<Memory*>(data)->bytes.size());
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* data) {
    auto& memory = *static_cast<Memory*>(data);
    const sf_count_t base = whence == SEEK_SET   ? 0
                            : whence == SEEK_CUR ? memory.at
                                                 : memoryLength(data);
    memory.at = std::clamp<sf_count_t>(base + offset, 0, memoryLength(data));
    return memory.at;
}

sf_count_t memoryRead(void* destination, sf_count_t count, void* data) {
    auto& memory = *static_cast<Memory*>(data);
    const sf_count_t n = std::clamp<sf_count_t>(count, 0, memoryLength(data) - memory.at);
    std::memcpy(destination, memory.bytes.data() + memory.at, std::size_t(n));
    memory.at += n;
    return n;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t memoryTell(void* data) {
    return static_cast<Memory*>(data)->at;
}

} // namespace

std::optional<Sound> readSound(const std::string& path) {
    SF_INFO info{};
    return readAll(sf_open(path.c_str(), SFM_READ, &info), info);
}

std::optional<Sound> readSound(std::span<const std::byte> bytes) {
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    Memory memory{bytes};
    SF_INFO info{};
    return readAll(sf_open_virtual(&io, SFM_READ, &info, &memory), info);
}

} // namespace analysis
