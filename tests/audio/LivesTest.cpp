#include "audio/NoteLife.h"
#include "audio/Voices.h"
#include "tests/audio/ToneMeter.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

using audio::NoteEvent;
using Kind = NoteEvent::Kind;
constexpr double rate = 48000;
constexpr double a3 = 220.0; // note 57

// One note of A3 at `velocity`, its key held for `held` seconds, then `after` more.
std::vector<float> played(const audio::SoundSnapshot& sound, double held, double after,
                          int velocity = 127) {
    audio::Voices voices(rate);
    voices.set(sound);
    voices.handle({Kind::On, 57, float(velocity)});
    std::vector<float> samples(std::size_t((held + after) * rate));
    const auto up = std::size_t(held * rate);
    const auto render = [&](std::size_t from, std::size_t to) {
        for (std::size_t at = from; at < to; at += 256) {
            voices.renderAdding(
                std::span(samples).subspan(at, std::min<std::size_t>(256, to - at)));
        }
    };
    render(0, up);
    voices.handle({Kind::Off, 57, 0});
    render(up, samples.size());
    return samples;
}

// Harmonic k's amplitude over 20 ms around `seconds`.
double levelAt(const std::vector<float>& s, double seconds, int k = 1) {
    const auto from = std::size_t(std::max(0.0, seconds - 0.01) * rate);
    return tone::level(std::span(s).subspan(from, std::size_t(0.02 * rate)), k * a3);
}

// The first time the fundamental reaches `fraction` of `full` going up, or down after `from`.
double whenCrossing(const std::vector<float>& s, double full, double fraction, double from,
                    bool down) {
    for (double t = from; t < double(s.size()) / rate - 0.01; t += 0.002) {
        const double l = levelAt(s, t);
        if (down ? l < fraction * full : l >= fraction * full) {
            return t;
        }
    }
    return -1;
}

audio::SoundSnapshot builtSound(model::Amplitudes amplitudes, model::Envelope envelope) {
    audio::SoundSnapshot s;
    s.timbre.amplitudes = amplitudes;
    s.on = true;
    s.volume = 1.0;
    s.envelope = envelope;
    return s;
}

// A recorded note, 10 ms a moment: each harmonic's magnitude at each time.
audio::SoundSnapshot recordedSound(double seconds,
                                   const std::function<double(int, double)>& magnitude) {
    auto note = std::make_shared<model::TimbreOverTime>();
    for (double t = 0; t < seconds; t += 0.01) {
        model::Moment m{t, a3, {}, 0};
        for (int k = 1; k <= 17; ++k) {
            m.timbre.amplitudes[std::size_t(k - 1)] = magnitude(k, t);
        }
        note->moments.push_back(m);
    }
    audio::SoundSnapshot s;
    s.on = true;
    s.volume = 1.0;
    s.timbre.amplitudes = note->moments.front().timbre.amplitudes;
    s.life = audio::lifeOf(note);
    return s;
}

} // namespace

// GIVEN a built timbre and an envelope WHEN a note is played THEN it rises, decays, holds and
// dies away as set, its upper harmonics sooner by the brightness, and never clicks.
TEST(Lives, ABuiltTimbreLivesByItsEnvelope) {
    const model::Amplitudes sawRight{100, 50, 33, 25, 20, 17, 14, 13, 11, 10};
    const double full = 0.5 * 100 / 200 * audio::Voices::voiceGain;
    {
        const auto s = played(builtSound(sawRight, {200, 0, 100, 30, 0}), 1.0, 0.1);
        const double half = whenCrossing(s, full, 0.5, 0.0, false);
        EXPECT_GT(half, 0.08);
        EXPECT_LT(half, 0.12);
        EXPECT_NEAR(levelAt(s, 0.5), full, 0.02 * full);
    }
    {
        const auto s = played(builtSound(sawRight, {5, 0, 100, 400, 0}), 0.5, 0.7);
        const double down = whenCrossing(s, full, 0.1, 0.5, true) - 0.5;
        EXPECT_GT(down, 0.3);
        EXPECT_LT(down, 0.5);
    }
    {
        // Decay 1 s to silence, brightness 1: the fifth harmonic falls five times as fast.
        const auto s = played(builtSound(sawRight, {5, 1000, 0, 30, 1}), 2.0, 0.0);
        const double first = tone::decibels(levelAt(s, 0.2) / levelAt(s, 0.02));
        const double fifth = tone::decibels(levelAt(s, 0.2, 5) / levelAt(s, 0.02, 5));
        EXPECT_NEAR(first, -60.0 * 0.18, 2.0);
        EXPECT_NEAR(fifth, 5 * first, 6.0);
        EXPECT_LT(levelAt(s, 1.5), 1e-3 * full) << "decayed to the sustain level, 0";
    }
    // The sharpest settings: a sine at the lowest note's slope and no more.
    const auto s = played(builtSound({200}, {1, 0, 50, 5, 0}), 0.3, 0.1);
    EXPECT_LT(tone::largestStep(s), 0.01F);
    EXPECT_LT(tone::peak(s), 2 * full * 0.51) << "no higher than the sustain level";
    EXPECT_NEAR(levelAt(s, 0.2), 0.5 * 2 * full, 0.02 * full) << "risen to the sustain level";
}

// GIVEN recorded notes WHEN played from a key THEN a pluck dies as it did, its fifth harmonic
// sooner, and goes on dying past the recording; an organ holds without a seam; velocity scales.
TEST(Lives, ARecordedNoteLivesAsItDid) {
    const auto pluck = [](int k, double t) { return 100.0 / k * std::exp(-t * (0.5 + 0.5 * k)); };
    const auto plucked = recordedSound(1.5, pluck);
    ASSERT_NE(plucked.life, nullptr);
    EXPECT_FALSE(plucked.life->sustains());
    const auto s = played(plucked, 2.5, 0.0);
    const double at = 0.5 / 200 * audio::Voices::voiceGain; // for a magnitude of 1
    for (const double t : {0.5, 1.2}) {
        EXPECT_NEAR(tone::decibels(levelAt(s, t) / (at * pluck(1, t))), 0.0, 2.0) << t;
        EXPECT_NEAR(tone::decibels(levelAt(s, t, 5) / (at * pluck(5, t))), 0.0, 2.0) << t;
    }
    // Past the recording's end, each harmonic keeps its own fall.
    EXPECT_NEAR(tone::decibels(levelAt(s, 2.2) / (at * pluck(1, 2.2))), 0.0, 2.0);
    EXPECT_NEAR(tone::decibels(levelAt(s, 2.2, 5) / (at * pluck(5, 2.2))), 0.0, 2.0);
    // A key let go at once while the pedal is down: the note lives as if it were held.
    audio::Voices pedalled(rate);
    pedalled.set(plucked);
    for (const NoteEvent& event : {NoteEvent{Kind::Sustain, 0, 1}, NoteEvent{Kind::On, 57, 127},
                                   NoteEvent{Kind::Off, 57, 0}}) {
        pedalled.handle(event);
    }
    std::vector<float> held(std::size_t(1.3 * rate));
    pedalled.renderAdding(held);
    EXPECT_NEAR(tone::decibels(levelAt(held, 1.2) / levelAt(s, 1.2)), 0.0, 0.1) << "pedal";
    const auto soft = played(plucked, 1.0, 0.0, 64);
    EXPECT_NEAR(levelAt(soft, 0.5) / levelAt(s, 0.5), 64.0 / 127, 0.02);

    // An organ swelling by 1 dB a second, let go at 1 s: its recorded release follows.
    const auto organ = recordedSound(1.3, [](int k, double t) {
        const double swell = std::pow(10.0, std::min(t, 1.0) / 20.0);
        return (t < 1.0 ? 1.0 : std::pow(10.0, -5.0 * (t - 1.0))) * swell * 80.0 / k;
    });
    ASSERT_TRUE(organ.life->sustains()) << organ.life->risen << " " << organ.life->releaseStart;
    const auto o = played(organ, 3.0, 0.5);
    std::vector<double> levels;
    for (double t = 0.3; t < 3.0; t += 0.005) {
        levels.push_back(tone::decibels(levelAt(o, t)));
    }
    const auto [low, high] = std::minmax_element(levels.begin(), levels.end());
    EXPECT_LT(*high - *low, 1.0) << "holds within 1 dB";
    for (std::size_t i = 1; i < levels.size(); ++i) {
        ASSERT_LT(std::fabs(levels[i] - levels[i - 1]), 0.1) << "a seam at " << 0.3 + 0.005 * i;
    }
    EXPECT_LT(levelAt(o, 3.15), 0.3 * levelAt(o, 2.9)) << "the recorded release";
    EXPECT_LT(levelAt(o, 3.4), 1e-4);
}
