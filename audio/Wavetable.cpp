#include "Wavetable.h"

#include "WholeFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <numbers>
#include <string_view>

namespace audio {
namespace {

constexpr std::uint32_t tableRate = 48000;
constexpr std::string_view frameNote = "<!>2048 00000000 wavetable (Tonvirta)";

class Chunks {
public:
    void number(std::uint32_t value, int bytes = 4) {
        for (int i = 0; i < bytes; ++i) {
            data_.push_back(char((value >> (8 * i)) & 0xFFU));
        }
    }
    // Its id, its size, its bytes and, after an odd size, one byte more.
    void chunk(std::string_view id, std::string_view bytes) {
        data_ += id;
        number(std::uint32_t(bytes.size()));
        data_ += bytes;
        if (bytes.size() % 2 != 0) {
            data_.push_back('\0');
        }
    }
    [[nodiscard]] std::string take() { return std::move(data_); }

private:
    std::string data_;
};

} // namespace

std::vector<float> wavetableOf(const model::Timbre& timbre) {
    const model::Amplitudes& amplitudes = timbre.amplitudes;
    const model::Phases& phases = timbre.phases;
    std::vector<float> table;
    if (timbre.silent()) {
        return table;
    }
    std::vector<double> sums(wavetableLength);
    for (std::size_t n = 0; n < wavetableLength; ++n) {
        for (std::size_t k = 0; k < harmonicCount; ++k) {
            sums[n] += amplitudes[k] * std::sin(2.0 * std::numbers::pi * double((k + 1) * n) /
                                                    double(wavetableLength) +
                                                phases[k] * std::numbers::pi / 180.0);
        }
    }
    const double largest = std::abs(*std::max_element(
        sums.begin(), sums.end(), [](double a, double b) { return std::abs(a) < std::abs(b); }));
    for (const double sum : sums) {
        table.push_back(float(sum / largest));
    }
    return table;
}

std::vector<float> wavetableOf(std::span<const model::Timbre> frames) {
    std::vector<float> table;
    for (const model::Timbre& frame : frames) {
        const std::vector<float> period = wavetableOf(frame);
        table.insert(table.end(), period.begin(), period.end());
        table.resize(table.size() + wavetableLength - period.size());
    }
    return table;
}

std::string exportWavetable(const std::filesystem::path& path, const std::vector<float>& table,
                            std::string_view recipe) {
    Chunks format;
    format.number(3, 2); // IEEE float
    format.number(1, 2); // mono
    format.number(tableRate);
    format.number(tableRate * 4);
    format.number(4, 2);
    format.number(32, 2);
    format.number(0, 2); // no extension
    Chunks frames;
    frames.number(std::uint32_t(table.size()));
    Chunks surge;
    surge.number(1); // version
    surge.number(wavetableLength);
    Chunks body;
    body.chunk("fmt ", format.take());
    body.chunk("fact", frames.take());
    body.chunk("clm ", frameNote);
    body.chunk("srge", surge.take());
    body.chunk(recipeChunkId, recipe);
    Chunks samples;
    for (const float sample : table) {
        std::uint32_t bits = 0;
        static_assert(sizeof bits == sizeof sample);
        std::memcpy(&bits, &sample, sizeof bits);
        samples.number(bits);
    }
    body.chunk("data", samples.take());
    const std::string whole = body.take();
    Chunks file;
    file.chunk("RIFF", "WAVE" + whole);
    const std::string bytes = file.take();
    return writeWhole(path, [&bytes](const std::filesystem::path& partial) {
        std::ofstream out(partial, std::ios::binary);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.close();
        return out ? std::string() : std::string("the file could not be written");
    });
}

} // namespace audio
