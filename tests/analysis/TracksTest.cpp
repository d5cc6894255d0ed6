// Notes made here with known lives (each harmonic's own decay, a swell that brightens, a
// vibrato), tracked frame by frame and rebuilt.
#include "analysis/Tracks.h"

#include "audio/Resynthesis.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

namespace {

constexpr double pi = std::numbers::pi;
constexpr double rate = 48000;
constexpr double onset = 0.1; // of silence before the note

// A note's life: harmonic k's amplitude and the pitch at a time from its onset.
struct Life {
    const char* name;
    double seconds;
    std::function<double(std::size_t, double)> amplitude;
    std::function<double(double)> hz;
    double cents; // the pitch's tolerance
};

std::vector<float> played(const Life& life) {
    std::vector<float> out(std::size_t((onset + life.seconds + 0.2) * rate), 0.0F);
    double phase = 0.0;
    for (std::size_t i = 0; double(i) < life.seconds * rate; ++i) {
        const double t = double(i) / rate;
        double sum = 0.0;
        for (std::size_t k = 0; k < 17; ++k) {
            sum += life.amplitude(k, t) * std::sin(double(k + 1) * phase + 0.3 * double(k));
        }
        out[std::size_t(onset * rate) + i] = float(0.1 * sum);
        phase += 2.0 * pi * life.hz(t) / rate;
    }
    return out;
}

// Rises in 5 ms and dies away over the last 50 ms, so that the note ends without a click.
double edges(double t, double seconds) {
    return std::min({1.0, t / 0.005, (seconds - t) / 0.05});
}

const std::vector<Life> lives{
    {"plucked, each harmonic dying at its own rate", 1.2,
     [](std::size_t k, double t) {
         return edges(t, 1.2) * std::exp(-1.5 * double(k + 1) * t) / double(k + 1);
     },
     [](double) { return 220.0; }, 3.0},
    {"a swell that brightens", 1.0,
     [](std::size_t k, double t) {
         return edges(t, 1.0) * std::pow(std::min(1.0, t / 0.8), 1.0 + 0.4 * double(k)) /
                double(k + 1);
     },
     [](double) { return 330.0; }, 3.0},
    {"a vibrato of 40 cents at 5.5 Hz", 1.2,
     [](std::size_t k, double t) { return edges(t, 1.2) / double(k + 1); },
     [](double t) { return 261.63 * std::exp2(40.0 / 1200.0 * std::sin(2.0 * pi * 5.5 * t)); },
     8.0},
};

// GIVEN a note of known life WHEN it is tracked THEN from 60 ms after its onset every harmonic
// above 1 point is within 3 points (the loudest at its loudest = 100), and the pitch within its
// tolerance.
TEST(Tracks, FollowEachHarmonicAndThePitchThroughANotesLife) {
    for (const Life& life : lives) {
        const auto note = analysis::tracksOf(played(life), rate);
        ASSERT_TRUE(note) << life.name;
        double loudest = 0.0;
        for (double t = 0.0; t < life.seconds; t += 0.001) {
            for (std::size_t k = 0; k < 17; ++k) {
                loudest = std::max(loudest, life.amplitude(k, t));
            }
        }
        double worst = 0.0;
        double worstCents = 0.0;
        for (const auto& moment : note->moments) {
            const double t = moment.seconds - onset;
            if (t < 0.06 || t > life.seconds) {
                continue;
            }
            worstCents = std::max(worstCents, std::abs(1200.0 * std::log2(moment.hz / life.hz(t))));
            for (std::size_t k = 0; k < 17; ++k) {
                const double truth = 100.0 * life.amplitude(k, t) / loudest;
                if (truth > 1.0) {
                    worst = std::max(worst, std::abs(moment.timbre.amplitudes[k] - truth));
                }
            }
        }
        EXPECT_LE(worst, 3.0) << life.name;
        EXPECT_LE(worstCents, life.cents) << life.name;
        EXPECT_NEAR(note->moments.front().seconds, onset, 0.005) << life.name;
        EXPECT_GT(note->moments.back().seconds, onset + life.seconds - 0.1) << life.name;
    }
}

// The signal against the difference, in dB, over the loud part: the stretches of 10 ms from 60 ms
// after the onset on that stand within 20 dB of the original's loudest.
double signalToDifference(const std::vector<float>& original, const std::vector<float>& rebuilt) {
    const auto block = std::size_t(0.01 * rate);
    std::vector<double> power;
    for (std::size_t at = 0; at + block <= original.size(); at += block) {
        double sum = 0.0;
        for (std::size_t i = at; i < at + block; ++i) {
            sum += double(original[i]) * original[i];
        }
        power.push_back(sum);
    }
    const double loudest = *std::max_element(power.begin(), power.end());
    double signal = 0.0;
    double difference = 0.0;
    for (auto b = std::size_t((onset + 0.06) * rate) / block; b < power.size(); ++b) {
        for (std::size_t i = b * block; i < (b + 1) * block && power[b] >= 0.01 * loudest; ++i) {
            signal += double(original[i]) * original[i];
            difference += std::pow(double(original[i]) - rebuilt[i], 2.0);
        }
    }
    return 10.0 * std::log10(signal / difference);
}

// GIVEN a tracked note WHEN it is rebuilt from its tracks THEN it is in time with the original:
// over the loud part the original stands at least 25 dB above the difference.
TEST(Tracks, RebuildANoteInTimeWithItsOriginal) {
    for (const Life& life : lives) {
        const std::vector<float> original = played(life);
        const auto note = analysis::tracksOf(original, rate);
        ASSERT_TRUE(note) << life.name;
        const std::vector<float> rebuilt = audio::resynthesis(*note, rate, original.size());
        const double db = signalToDifference(original, rebuilt);
        EXPECT_GE(db, 25.0) << life.name;
    }
}

} // namespace

namespace {

// Notes one after another: each a life of its own, from when it starts.
struct Part {
    double start;
    Life life;
};

std::vector<float> playedInTurn(const std::vector<Part>& parts, double seconds) {
    std::vector<float> out(std::size_t((onset + seconds) * rate), 0.0F);
    for (const Part& part : parts) {
        const std::vector<float> one = played(part.life);
        const auto shift = std::size_t(part.start * rate);
        for (std::size_t i = 0; i + shift < out.size() && i < one.size(); ++i) {
            out[i + shift] += one[i];
        }
    }
    return out;
}

Life steady(
    const char* name, double seconds, double level, double hz,
    std::function<double(double)> shape = [](double) { return 1.0; }) {
    return {name, seconds,
            [=](std::size_t k, double t) {
                return level * shape(t) * edges(t, seconds) / double(k + 1);
            },
            [hz](double) { return hz; }, 3.0};
}

// GIVEN notes whose level rises and falls within them, or that follow other notes WHEN tracked
// THEN the note a listener picks is followed from its onset to its end, no further: its attack
// and its swells are its own, the note before and the note after are not.
TEST(Tracks, FollowTheNoteAListenerPicksFromItsOnsetToItsEnd) {
    const auto bump = [](double t) { return 1.0 + 1.8 * std::exp(-std::pow((t - 0.6) / 0.08, 2)); };
    const struct {
        std::vector<Part> parts;
        double from, to; // of the note followed, from the file's start
    } cases[]{
        {{{0.0, steady("an attack 12 dB over the sustain", 1.2, 1.0, 220.0,
                       [](double t) { return 1.0 + 3.0 * std::exp(-t / 0.05); })}},
         0.1,
         1.3},
        {{{0.0, steady("a pluck whose body swells again by 9 dB", 1.2, 1.0, 220.0,
                       [&](double t) { return std::exp(-3.0 * t) * bump(t); })}},
         0.1,
         1.3},
        {{{0.0, steady("a quiet short note", 0.4, 0.3, 220.0)},
          {0.45, steady("then a loud long one at its pitch", 1.0, 1.0, 220.0)}},
         0.55,
         1.55},
        {{{0.0, steady("a loud long note", 1.0, 1.0, 220.0)},
          {1.0, steady("then a fifth up", 0.5, 1.0, 330.0)}},
         0.1,
         1.1},
    };
    for (const auto& [parts, from, to] : cases) {
        const auto note = analysis::tracksOf(playedInTurn(parts, 1.8), rate);
        ASSERT_TRUE(note) << parts.back().life.name;
        EXPECT_NEAR(note->moments.front().seconds, from, 0.01) << parts.back().life.name;
        EXPECT_NEAR(note->moments.back().seconds, to, 0.1) << parts.back().life.name;
    }
}

} // namespace
