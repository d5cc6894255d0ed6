#include "Wavetables.h"

#include "Measure.h"
#include "editor/Recipe.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <numbers>

namespace analysis {
namespace {

constexpr double pi = std::numbers::pi;
// A frame of this many floats would not fit in 4 GB.
constexpr std::uint64_t pastFourGigabytes = std::uint64_t{1} << 30U;
// How far a frame may stray from its recipe, its peak being 1: well above a 16-bit file's
// rounding, well below what any change of a box or a phase makes.
constexpr double recipeTolerance = 1e-4;

// The frame size a "clm " chunk ("<!>2048 …") or else a "srge" chunk gives, as large as it
// claims; nothing where neither says one.
std::optional<std::uint64_t> claimedFrameSize(const TableChunks& chunks) {
    if (chunks.clm && chunks.clm->starts_with("<!>") && chunks.clm->size() > 3 &&
        std::isdigit(static_cast<unsigned char>((*chunks.clm)[3])) != 0) {
        std::uint64_t size = 0;
        for (std::size_t i = 3; i < chunks.clm->size() &&
                                std::isdigit(static_cast<unsigned char>((*chunks.clm)[i])) != 0;
             ++i) {
            size = std::min(size * 10 + std::uint64_t((*chunks.clm)[i] - '0'), pastFourGigabytes);
        }
        return size;
    }
    if (chunks.srge && chunks.srge->size() >= 8) {
        std::uint32_t size = 0; // after a version, little-endian as the whole file is
        for (int i = 3; i >= 0; --i) {
            size = (size << 8U) | static_cast<unsigned char>((*chunks.srge)[4 + std::size_t(i)]);
        }
        return size;
    }
    return std::nullopt;
}

// The harmonics against the fundamental's phase, which the result holds: the period then starts
// where the fundamental's phase is zero, as a note's does.
double relativeToFundamental(std::array<std::complex<double>, harmonicCount>& phasors) {
    const double loudest = std::abs(*std::max_element(
        phasors.begin(), phasors.end(), [](auto a, auto b) { return std::abs(a) < std::abs(b); }));
    const double phase = std::abs(phasors[0]) > 1e-9 * loudest ? std::arg(phasors[0]) : 0.0;
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        phasors[k] *= std::polar(1.0, -double(k + 1) * phase);
    }
    return phase;
}

Harmonics cycleHarmonics(std::span<const float> period, double rate) {
    Measured measured;
    measured.phasors = cyclePhasors(period);
    const double phase = relativeToFundamental(measured.phasors);
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        measured.magnitude[k] = std::abs(measured.phasors[k]);
    }
    const auto n = double(period.size());
    if (*std::max_element(measured.magnitude.begin(), measured.magnitude.end()) == 0.0) {
        return {rate / n, {}, {}}; // a silent frame among others
    }
    for (std::size_t c = 0; c < periodColumns; ++c) {
        double at = (double(c) / double(periodColumns) - phase / (2.0 * pi)) * n;
        at -= std::floor(at / n) * n;
        const auto i = std::min(std::size_t(at), period.size() - 1);
        const double part = at - double(i);
        measured.period[c] =
            double(period[i]) * (1.0 - part) + double(period[(i + 1) % period.size()]) * part;
    }
    return harmonicsFrom(measured, rate / n, false);
}

// The frame as the recipe's timbre makes it, its peak at 1, within what a file keeps of it.
bool agrees(const editor::Step& step, std::span<const float> frame) {
    const model::Timbre timbre = editor::timbreOf(step);
    const std::size_t n = frame.size();
    std::vector<double> sines(n);
    std::vector<double> cosines(n);
    for (std::size_t i = 0; i < n; ++i) {
        sines[i] = std::sin(2.0 * pi * double(i) / double(n));
        cosines[i] = std::cos(2.0 * pi * double(i) / double(n));
    }
    std::vector<double> built(n);
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        const double a = timbre.amplitudes[k];
        const double phase = timbre.phases[k] * pi / 180.0;
        const double sinePart = a * std::cos(phase);
        const double cosinePart = a * std::sin(phase);
        for (std::size_t i = 0; a != 0.0 && i < n; ++i) {
            const std::size_t at = (k + 1) * i % n;
            built[i] += sinePart * sines[at] + cosinePart * cosines[at];
        }
    }
    double peak = 0.0;
    for (const double b : built) {
        peak = std::max(peak, std::abs(b));
    }
    for (std::size_t i = 0; i < n; ++i) {
        const double expected = peak > 0.0 ? built[i] / peak : 0.0;
        if (std::abs(double(frame[i]) - expected) > recipeTolerance) {
            return false;
        }
    }
    return true;
}

// A frame's moment from its DFT, magnitudes in the samples' units.
model::Moment momentOf(std::span<const float> frame, std::size_t index, double hz) {
    auto phasors = cyclePhasors(frame);
    model::Moment moment{double(index), hz, {}, relativeToFundamental(phasors)};
    double loudest = 0.0;
    for (const auto& phasor : phasors) {
        loudest = std::max(loudest, std::abs(phasor));
    }
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        // 100 dB down is the float samples' own rounding, with no phase worth the name.
        const bool heard = std::abs(phasors[k]) > 1e-5 * loudest;
        moment.timbre.amplitudes[k] = heard ? std::abs(phasors[k]) : 0.0;
        moment.timbre.phases[k] = heard && k > 0 ? std::arg(phasors[k]) * 180.0 / pi : 0.0;
    }
    return moment;
}

Periods tableOf(const Sound& sound, std::size_t size, const std::optional<editor::Recipe>& recipe) {
    const std::size_t count = sound.samples.size() / size;
    Table table;
    table.frameSize = size;
    table.frames.frames = true;
    table.frames.stepSeconds = 1.0;
    const double hz = sound.rate / double(size);
    const auto frame = [&](std::size_t f) {
        return std::span(sound.samples).subspan(f * size, size);
    };
    bool agreeing = recipe && recipe->frames.size() == count;
    for (std::size_t f = 0; agreeing && f < count; ++f) {
        agreeing = agrees(recipe->frames[f], frame(f));
    }
    table.recipeSetAside = recipe && !agreeing;
    double loudest = 0.0;
    for (std::size_t f = 0; f < count; ++f) {
        table.frames.moments.push_back(agreeing ? editor::momentOf(recipe->frames[f], double(f), hz)
                                                : momentOf(frame(f), f, hz));
        const auto& amplitudes = table.frames.moments.back().timbre.amplitudes;
        loudest = std::max(loudest, *std::max_element(amplitudes.begin(), amplitudes.end()));
    }
    if (loudest == 0.0) {
        return TableFault{TableFault::Kind::Silent};
    }
    if (agreeing) {
        table.recipe = recipe->frames;
    } else {
        for (model::Moment& moment : table.frames.moments) {
            for (double& amplitude : moment.timbre.amplitudes) {
                amplitude *= 100.0 / loudest;
            }
        }
        table.frames.pointAmplitude = loudest / 100.0;
    }
    table.first = cycleHarmonics(frame(0), sound.rate);
    return table;
}

// What is wrong with the frames the chunks claim, if anything.
std::optional<TableFault> faultOf(std::uint64_t size, std::uint64_t samples,
                                  const std::optional<editor::Recipe>& recipe) {
    using Kind = TableFault::Kind;
    if (size >= pastFourGigabytes) {
        return TableFault{Kind::PastFourGigabytes, size, samples};
    }
    if (samples == 0) {
        return TableFault{Kind::NoFrames, size, samples};
    }
    if (!std::has_single_bit(size) || size < smallestFrame || size > largestFrame) {
        return TableFault{Kind::FrameSize, size, samples};
    }
    if (size > samples) {
        return TableFault{Kind::LongerThanData, size, samples};
    }
    if (samples % size != 0) {
        return TableFault{Kind::DoesNotDivide, size, samples};
    }
    if (samples / size > mostFrames) {
        return TableFault{Kind::TooManyFrames, size, samples / size};
    }
    if (recipe && recipe->claimed > samples / size) {
        return TableFault{Kind::RecipeClaimsMore, recipe->claimed, samples / size};
    }
    return std::nullopt;
}

} // namespace

std::array<std::complex<double>, harmonicCount> cyclePhasors(std::span<const float> period) {
    const std::size_t n = period.size();
    std::vector<std::complex<double>> turns(n);
    for (std::size_t i = 0; i < n; ++i) {
        turns[i] = std::polar(1.0, -2.0 * pi * double(i) / double(n));
    }
    std::array<std::complex<double>, harmonicCount> phasors{};
    for (std::size_t k = 1; k <= harmonicCount && 2 * k < n; ++k) {
        std::complex<double> sum;
        for (std::size_t i = 0; i < n; ++i) {
            sum += double(period[i]) * turns[k * i % n];
        }
        // m sin(x + phi) sums to m n e^(i phi) / 2i.
        phasors[k - 1] = sum * std::complex<double>(0.0, 2.0 / double(n));
    }
    return phasors;
}

Periods periodsOf(const Sound& sound) {
    const std::optional<editor::Recipe> recipe =
        sound.chunks.recipe ? editor::parseRecipe(*sound.chunks.recipe) : std::nullopt;
    const std::optional<std::uint64_t> size = claimedFrameSize(sound.chunks);
    const std::size_t samples = sound.samples.size();
    const bool short_ = double(samples) < shortestNote * sound.rate && samples >= smallestFrame &&
                        samples <= largestFrame;
    if (!size && !short_) {
        return std::monostate{};
    }
    if (sound.notFinite > 0) {
        return TableFault{TableFault::Kind::NotFinite, 0, sound.notFinite};
    }
    if (size) {
        if (auto fault = faultOf(*size, samples, recipe)) {
            return *fault;
        }
    }
    return tableOf(sound, size ? std::size_t(*size) : samples, recipe);
}

} // namespace analysis
