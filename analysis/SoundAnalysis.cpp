#include "SoundAnalysis.h"

#include "Gaps.h"
#include "Measure.h"
#include "Notes.h"
#include "Pitch.h"
#include "editor/Phases.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <memory>
#include <numbers>
#include <numeric>
#include <optional>
#include <utility>
#include <vector>

namespace analysis {
namespace {

constexpr double pi = std::numbers::pi;
// Pitch is tracked on the sound brought down to about this rate: enough for 2 kHz, and cheap.
constexpr double trackingRate = 12000.0;
constexpr double hopSeconds = 0.02;
// A steady pitch this far outside the range is still tracked, to say which side it is on.
constexpr double trackedLowestHz = 20.0;
constexpr double trackedHighestHz = 4000.0;
constexpr double rangeSlack = 1.01;
constexpr double shortestStretchSeconds = 0.1;
// Frames this far below the loudest cannot hold the loudest note, and are not tracked.
constexpr double quietRatio = 0.01;
constexpr double silentRms = 1e-4;
// A note is measured over at most this long.
constexpr double measuredSeconds = 2.0;

double rmsOf(std::span<const float> x) {
    const double power = std::transform_reduce(x.begin(), x.end(), 0.0, std::plus<>(),
                                               [](float v) { return double(v) * v; });
    return x.empty() ? 0.0 : std::sqrt(power / double(x.size()));
}

std::vector<float> decimated(std::span<const float> x, std::size_t factor) {
    std::vector<float> out(x.size() / factor);
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = std::accumulate(x.begin() + long(i * factor), x.begin() + long((i + 1) * factor),
                                 0.0F) /
                 float(factor);
    }
    return out;
}

// The pitch and loudness every hop. A frame holds two periods of the lowest pitch taken apart
// and one of the lowest tracked, which is lower, so that a note out of range is still known.
struct Track {
    std::vector<Frame> frames;
    std::size_t hop = 1;    // in samples
    std::size_t length = 0; // of a frame
    std::size_t window = 0; // compared with itself a period later
    double rate = 0.0;
};

Track track(std::span<const float> x, double rate) {
    const int minLag = std::max(2, int(rate / trackedHighestHz));
    const auto window = std::min(std::size_t(std::ceil(rate / lowestHz)), x.size() / 2 - 1);
    const int maxLag =
        std::min(int(std::ceil(rate / trackedLowestHz)), int(x.size()) - int(window) - 1);
    if (x.size() < 4 || maxLag <= minLag) {
        return {};
    }
    const auto length = window + std::size_t(maxLag) + 1;
    const auto hop = std::max<std::size_t>(1, std::size_t(rate * hopSeconds));
    std::vector<Frame> frames;
    for (std::size_t at = 0; at + length <= x.size(); at += hop) {
        frames.push_back({0.0, rmsOf(x.subspan(at, length))});
    }
    const double loudest = std::max_element(frames.begin(), frames.end(), [](auto& a, auto& b) {
                               return a.rms < b.rms;
                           })->rms;
    for (std::size_t f = 0; f < frames.size(); ++f) {
        if (frames[f].rms >= silentRms && frames[f].rms >= quietRatio * loudest) {
            const auto period = yinPeriod(x.subspan(f * hop, length), minLag, maxLag);
            frames[f].hz = period ? rate / *period : 0.0;
        }
    }
    return {std::move(frames), hop, length, window, rate};
}

// The pitch the voiced frames hold around a sample of the tracked sound, between the two
// nearest; 0 where no frame is voiced. A frame's pitch is that of its window and the period
// after it.
double pitchAt(const Track& tracked, double sample) {
    const auto& frames = tracked.frames;
    const auto centre = [&](std::size_t f) {
        return double(f * tracked.hop) +
               0.5 * (double(tracked.window) + tracked.rate / frames[f].hz);
    };
    std::optional<std::size_t> before;
    for (std::size_t f = 0; f < frames.size(); ++f) {
        if (frames[f].hz <= 0.0) {
            continue;
        }
        if (centre(f) > sample) {
            if (!before) {
                return frames[f].hz;
            }
            const double part = (sample - centre(*before)) / (centre(f) - centre(*before));
            return frames[*before].hz + (frames[f].hz - frames[*before].hz) * part;
        }
        before = f;
    }
    return before ? frames[*before].hz : 0.0;
}

// Back at the full rate, the middle of the note, at most two seconds of it.
std::pair<std::size_t, std::size_t> middleOf(const Note& note, const Track& tracked,
                                             std::size_t factor, std::size_t samples, double rate) {
    std::size_t begin = note.first * tracked.hop * factor;
    std::size_t end = std::min(((note.last - 1) * tracked.hop + tracked.length) * factor, samples);
    const auto longest = std::size_t(measuredSeconds * rate);
    if (end - begin > longest) {
        begin += (end - begin - longest) / 2;
        end = begin + longest;
    }
    return {begin, end};
}

// The sound's pitch track and the note a listener would pick in it, or why there is none.
struct Picked {
    Track tracked;
    std::size_t factor = 1;
    std::optional<Note> note;
    Problem problem = Problem::Silent;
};

Picked pick(std::span<const float> samples, double rate) {
    Picked picked;
    picked.factor = std::max<std::size_t>(1, std::size_t(rate / trackingRate));
    picked.tracked = track(decimated(samples, picked.factor), rate / double(picked.factor));
    const std::vector<Frame>& frames = picked.tracked.frames;
    // A note lasts at least a tenth of a second: anything shorter is a click, not a tone.
    const bool brief = double(samples.size()) < shortestStretchSeconds * rate;
    if (frames.empty() || brief) {
        picked.problem = rmsOf(samples) < silentRms ? Problem::Silent : Problem::TooShort;
        return picked;
    }
    if (std::all_of(frames.begin(), frames.end(), [](auto& f) { return f.rms < silentRms; })) {
        return picked;
    }
    const double framesPerSecond = rate / double(picked.factor * picked.tracked.hop);
    // A sound shorter than that may still be one note, as a whole.
    const std::size_t shortest = std::min(
        frames.size(), std::size_t(std::ceil(shortestStretchSeconds * framesPerSecond)) + 2);
    picked.note = pickNote(frames, framesPerSecond, shortest, lowestHz, highestHz);
    picked.problem = Problem::NoSteadyPitch;
    return picked;
}

} // namespace

Analysis analyse(std::span<const float> samples, double rate) {
    samples = samples.first(std::min(samples.size(), std::size_t(longestSeconds * rate)));
    const Picked picked = pick(samples, rate);
    if (!picked.note) {
        return {std::nullopt, picked.problem};
    }
    const Track& tracked = picked.tracked;
    const std::size_t factor = picked.factor;
    const std::optional<Note>& note = picked.note;
    const auto middle = middleOf(*note, tracked, factor, samples.size(), rate);
    const std::size_t begin = middle.first;
    const std::span sound = samples.subspan(begin, middle.second - begin);
    // A swinging pitch has no one period to refine: its centre is found chunk by chunk below.
    double period = rate / note->hz;
    if (!note->swings) {
        period = refinedPeriod(sound.first(std::min(sound.size(), std::size_t(rate))), period);
    }
    if (double(sound.size()) < 3.0 * period) {
        return {std::nullopt, Problem::TooShort};
    }
    std::function<double(std::size_t)> roughPeriodAt;
    if (note->swings) {
        roughPeriodAt = [&](std::size_t at) {
            const double hz = pitchAt(tracked, double(begin + at) / double(factor));
            return hz > 0.0 ? rate / hz : period;
        };
    }
    const Measured measured = measure(sound, period, roughPeriodAt);
    if (note->swings) {
        period = measured.centrePeriod;
    }
    const double hz = rate / period;
    if (hz > highestHz * rangeSlack || hz < lowestHz / rangeSlack) {
        return {std::nullopt, Problem::OutOfRange, hz};
    }
    return {harmonicsFrom(measured, hz, note->swings), Problem::Silent};
}

// The loudest harmonic at +-100, the rest in proportion, and the period: folded from the sound
// itself where the pitch held, built from the harmonics where it swung.
Harmonics harmonicsFrom(const Measured& measured, double hz, bool swings) {
    Harmonics harmonics;
    harmonics.fundamentalHz = hz;
    const double loudest = *std::max_element(measured.magnitude.begin(), measured.magnitude.end());
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        const double degrees = std::arg(measured.phasors[k]) * 180.0 / pi;
        const editor::Phased phased = editor::folded(measured.magnitude[k], degrees);
        const double amplitude = std::nearbyint(100.0 * phased.amplitude / loudest);
        harmonics.timbre.amplitudes[k] = amplitude + 0.0; // never -0, which would print as such
        harmonics.timbre.phases[k] = amplitude == 0.0 ? 0.0 : phased.phase;
    }
    if (swings) {
        harmonics.period = periodOf(measured.phasors, 100.0 / loudest);
    } else {
        std::transform(measured.period.begin(), measured.period.end(), harmonics.period.begin(),
                       [&](double v) { return 100.0 * v / loudest; });
    }
    return harmonics;
}

namespace {

// Frames that may belong to the note: as loud as 60 dB below its loudest, and of its pitch
// within a semitone and a half where they have one (a plucked string falls in pitch).
bool ofTheNote(const Frame& frame, const Note& note, double loudest) {
    return frame.rms >= 1e-3 * loudest &&
           (frame.hz <= 0.0 || std::abs(12.0 * std::log2(frame.hz / note.hz)) < 1.5);
}

// Back from the loud part through its attack to where the note starts, and on while it dies
// away, until the sound falls 60 dB, the pitch moves or the note before or after begins.
std::pair<std::size_t, std::size_t> wholeFrames(std::span<const Frame> frames, const Note& note) {
    double loudest = 0.0;
    for (std::size_t f = note.first; f < note.last; ++f) {
        loudest = std::max(loudest, frames[f].rms);
    }
    std::size_t first = note.first;
    NextNote before{frames[first].rms, frames[first].rms};
    while (first > 0 && ofTheNote(frames[first - 1], note, loudest) &&
           !before.beyond(frames[first - 1].rms)) {
        --first;
    }
    std::size_t last = note.last;
    NextNote after{frames[last - 1].rms, frames[last - 1].rms};
    while (last < frames.size() && ofTheNote(frames[last], note, loudest) &&
           !after.beyond(frames[last].rms)) {
        ++last;
    }
    return {first, last};
}

} // namespace

std::optional<WholeNote> wholeNote(std::span<const float> samples, double rate) {
    samples = samples.first(std::min(samples.size(), std::size_t(longestSeconds * rate)));
    auto picked = std::make_shared<Picked>(pick(samples, rate));
    if (!picked->note) {
        return std::nullopt;
    }
    const Track& tracked = picked->tracked;
    const auto [first, last] = wholeFrames(tracked.frames, *picked->note);
    const std::size_t factor = picked->factor;
    const auto [from, to] = withinGaps(
        samples, first * tracked.hop * factor, picked->note->first * tracked.hop * factor,
        std::min(samples.size(),
                 ((picked->note->last - 1) * tracked.hop + tracked.length) * factor),
        std::min(samples.size(), ((last - 1) * tracked.hop + tracked.length) * factor), rate);
    // The onset: where the sound first comes within 60 dB of the note's peak.
    float peak = 0.0F;
    for (std::size_t i = from; i < to; ++i) {
        peak = std::max(peak, std::abs(samples[i]));
    }
    std::size_t onset = from;
    while (onset < to && std::abs(samples[onset]) < 1e-3F * peak) {
        ++onset;
    }
    const double hz = picked->note->hz;
    auto roughHzAt = [picked, hz](std::size_t at) {
        const double found = pitchAt(picked->tracked, double(at) / double(picked->factor));
        return found > 0.0 ? found : hz;
    };
    return WholeNote{onset, to, roughHzAt};
}

} // namespace analysis
