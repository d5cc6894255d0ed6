// Bytes read as a sound file through libsndfile, or as raw samples at a rate the first byte
// picks, then taken apart: nothing crashes or hangs, and what comes out is a note's harmonics
// with the loudest at +-100, each phase in (-90, 90], a pitch in range and a finite period, or a
// reason; and, read as periods of a wave, frames of a size that divides the samples, each
// finite, or a fault.
#include "analysis/SoundAnalysis.h"
#include "analysis/SoundFile.h"
#include "analysis/Wavetables.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <vector>

namespace {

void checkPeriods(const analysis::Sound& sound) {
    const auto periods = analysis::periodsOf(sound);
    const auto* table = std::get_if<analysis::Table>(&periods);
    if (table == nullptr) {
        return;
    }
    const std::size_t count = table->frames.moments.size();
    bool finite = std::isfinite(table->first.fundamentalHz);
    for (const auto& moment : table->frames.moments) {
        for (std::size_t k = 0; k < analysis::harmonicCount; ++k) {
            finite = finite && std::isfinite(moment.timbre.amplitudes[k]) &&
                     std::isfinite(moment.timbre.phases[k]);
        }
    }
    if (count == 0 || count > analysis::mostFrames ||
        table->frameSize * count != sound.samples.size() || !finite ||
        (!table->recipe.empty() && table->recipe.size() != count)) {
        std::fprintf(stderr, "%zu frames of %zu for %zu samples\n", count, table->frameSize,
                     sound.samples.size());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    std::optional<analysis::Sound> sound;
    if (data[0] % 2 == 0) {
        sound =
            analysis::readSound(std::span(reinterpret_cast<const std::byte*>(data) + 1, size - 1));
    } else {
        sound.emplace();
        sound->rate = std::array{8000.0, 44100.0, 48000.0, 192000.0}[(data[0] / 2) % 4];
        sound->samples.resize((size - 1) / sizeof(float));
        if (!sound->samples.empty()) { // an empty vector's data() may be null
            std::memcpy(sound->samples.data(), data + 1, sound->samples.size() * sizeof(float));
        }
        for (float& sample : sound->samples) { // as the file reader leaves them
            sample = std::isfinite(sample) ? std::clamp(sample, -1e6F, 1e6F) : 0.0F;
        }
    }
    if (!sound) {
        return 0;
    }
    checkPeriods(*sound);
    const auto found = analysis::analyse(sound->samples, sound->rate);
    if (found.harmonics) {
        const auto& [amplitudes, phases] = found.harmonics->timbre;
        const auto& [hz, timbre, period] = *found.harmonics;
        const auto [low, high] = std::minmax_element(amplitudes.begin(), amplitudes.end());
        const double sum = std::accumulate(period.begin(), period.end(), 0.0); // NaN spreads
        const bool phasesInRange = std::all_of(phases.begin(), phases.end(),
                                               [](double p) { return p > -90.0 && p <= 90.0; });
        if (std::max(-*low, *high) != 100 || !(hz >= 29.7 && hz <= 2020.0) || !std::isfinite(sum) ||
            !phasesInRange) {
            std::fprintf(stderr, "loudest %g or %g, %g Hz, period sum %g\n", *low, *high, hz, sum);
            std::abort();
        }
    }
    return 0;
}
