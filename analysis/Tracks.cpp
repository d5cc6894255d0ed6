#include "Tracks.h"

#include "Measure.h"
#include "SoundAnalysis.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace analysis {
namespace {

constexpr double pi = std::numbers::pi;
// Long enough that neighbouring harmonics part cleanly under a Hann window, short enough to
// follow an attack.
constexpr double windowPeriods = 4.0;
constexpr double quietest = 1e-3; // 60 dB below the loudest moment

using Phasors = std::array<std::complex<double>, harmonicCount>;

// Each harmonic's m e^(i phi) for m sin(k w t + phi) with t = 0 at `centre`, over a window of a
// few periods there (silence beyond the sound).
Phasors around(std::span<const float> x, std::size_t centre, double rate, double hz) {
    const double period = rate / hz;
    const auto half = std::size_t(std::ceil(windowPeriods * period / 2.0));
    std::vector<float> window(2 * half, 0.0F);
    for (std::size_t i = 0; i < window.size(); ++i) {
        const std::size_t at = centre + i;
        if (at >= half && at - half < x.size()) {
            window[i] = x[at - half];
        }
    }
    Phasors phasors = harmonicPhasors(window, period, period);
    const double turned = 2.0 * pi / period * double(half); // the reference's phase at the centre
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        phasors[k] *= std::polar(1.0, double(k + 1) * turned);
    }
    return phasors;
}

struct Weighed {
    double hz = 0.0;
    double weight = 0.0; // how loud the harmonic it was read from is in both
};

// The pitch between two moments from how far their harmonics turned: the rough pitch says
// how many whole turns; the loudest harmonic in both says the rest most surely.
Weighed pitchBetween(const Phasors& a, const Phasors& b, double roughHz, double seconds) {
    std::size_t k = 0;
    for (std::size_t j = 1; j < harmonicCount; ++j) {
        if (std::abs(a[j]) * std::abs(b[j]) > std::abs(a[k]) * std::abs(b[k])) {
            k = j;
        }
    }
    const double weight = std::abs(a[k]) * std::abs(b[k]);
    if (weight == 0.0) {
        return {roughHz, 0.0};
    }
    const double turned = std::arg(b[k]) - std::arg(a[k]);
    const double expected = 2.0 * pi * double(k + 1) * roughHz * seconds;
    const double turns = std::round((expected - turned) / (2.0 * pi));
    return {(turned + 2.0 * pi * turns) / (2.0 * pi * seconds * double(k + 1)), weight};
}

// Each moment's pitch, from the turning of its harmonics to the moments on either side, the
// louder side weighing more: at the note's edges the other side is all but silent.
std::vector<double> pitches(const std::vector<Phasors>& rough, const std::vector<double>& roughHz,
                            double seconds) {
    std::vector<double> hz = roughHz;
    for (std::size_t i = 0; i < rough.size(); ++i) {
        double sum = 0.0;
        double weights = 0.0;
        for (const std::size_t j : {i - 1, i + 1}) { // i - 1 wraps past the end at 0
            if (j < rough.size()) {
                const std::size_t from = std::min(i, j);
                const std::size_t to = std::max(i, j);
                const Weighed found = pitchBetween(rough[from], rough[to],
                                                   0.5 * (roughHz[from] + roughHz[to]), seconds);
                sum += found.hz * found.weight;
                weights += found.weight;
            }
        }
        if (weights > 0.0) {
            hz[i] = sum / weights;
        }
    }
    return hz;
}

model::Moment momentOf(const Phasors& phasors, double seconds, double hz) {
    model::Moment moment{seconds, hz, {}, std::arg(phasors[0])};
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        const double magnitude = std::abs(phasors[k]);
        moment.timbre.amplitudes[k] = magnitude;
        const double phase =
            model::wrappedRadians(std::arg(phasors[k]) - double(k + 1) * moment.phase);
        moment.timbre.phases[k] = magnitude > 0.0 && k > 0 ? phase * 180.0 / pi : 0.0;
    }
    return moment;
}

// Magnitudes scaled so that the loudest harmonic at its loudest is 100; the moments after the
// last within 60 dB of the loudest dropped.
void scaled(model::TimbreOverTime& note) {
    const auto loudestOf = [](const model::Moment& m) {
        return *std::max_element(m.timbre.amplitudes.begin(), m.timbre.amplitudes.end());
    };
    double loudest = 0.0;
    for (const auto& moment : note.moments) {
        loudest = std::max(loudest, loudestOf(moment));
    }
    while (note.moments.size() > 1 && loudestOf(note.moments.back()) < quietest * loudest) {
        note.moments.pop_back();
    }
    note.pointAmplitude = loudest / 100.0;
    for (auto& moment : note.moments) {
        for (double& magnitude : moment.timbre.amplitudes) {
            magnitude = loudest > 0.0 ? magnitude / note.pointAmplitude : 0.0;
        }
    }
}

} // namespace

std::optional<model::TimbreOverTime> tracksOf(std::span<const float> samples, double rate) {
    const std::optional<WholeNote> whole = wholeNote(samples, rate);
    if (!whole) {
        return std::nullopt;
    }
    model::TimbreOverTime note;
    const auto step = std::max<std::size_t>(1, std::size_t(std::lround(note.stepSeconds * rate)));
    std::vector<std::size_t> centres;
    for (std::size_t at = whole->onset; at < whole->end || centres.empty(); at += step) {
        centres.push_back(at);
    }
    std::vector<Phasors> rough;
    std::vector<double> roughHz;
    for (const std::size_t centre : centres) {
        roughHz.push_back(whole->roughHzAt(centre));
        rough.push_back(around(samples, centre, rate, roughHz.back()));
    }
    const std::vector<double> hz = pitches(rough, roughHz, double(step) / rate);
    for (std::size_t i = 0; i < centres.size(); ++i) {
        // A vibrato moves the pitch too little over a few periods to blur even the 17th.
        const Phasors phasors = around(samples, centres[i], rate, hz[i]);
        note.moments.push_back(momentOf(phasors, double(centres[i]) / rate, hz[i]));
    }
    scaled(note);
    return note;
}

namespace {

void append(std::string& out, double value, int decimals) {
    std::array<char, 32> text{};
    const auto written =
        std::to_chars(text.data(), text.data() + text.size(), value + 0.0, // never -0
                      std::chars_format::fixed, decimals);
    out.append(text.data(), written.ptr);
}

} // namespace

std::string csvOf(const model::TimbreOverTime& note) {
    std::string out = "time,pitch";
    for (const char* column : {"a", "p"}) {
        for (std::size_t k = 1; k <= harmonicCount; ++k) {
            out += std::string(",") + column + std::to_string(k);
        }
    }
    out += '\n';
    for (const model::Moment& moment : note.moments) {
        append(out, moment.seconds, note.frames ? 0 : 4); // a frame's index
        out += ',';
        append(out, moment.hz, 3);
        for (const double magnitude : moment.timbre.amplitudes) {
            out += ',';
            append(out, magnitude, 2);
        }
        for (const double phase : moment.timbre.phases) {
            out += ',';
            // Rounding may not take a phase out of (-180, 180].
            const double shown = std::round(phase * 10.0) / 10.0;
            append(out, shown <= -180.0 ? 180.0 : shown, 1);
        }
        out += '\n';
    }
    return out;
}

} // namespace analysis
