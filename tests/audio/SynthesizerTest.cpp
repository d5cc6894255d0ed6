#include "audio/Synthesizer.h"

#include "tests/audio/ToneMeter.h"

#include <gtest/gtest.h>
#include <numbers>
#include <random>
#include <vector>

namespace {

using Amplitudes = std::array<double, 17>;

// Samples at 48 kHz, in blocks, as a device pulls them.
std::vector<float> play(audio::Synthesizer& synthesizer, double seconds) {
    std::vector<float> samples(static_cast<std::size_t>(seconds * 48000));
    for (std::size_t at = 0; at < samples.size(); at += 480) {
        synthesizer.render(
            std::span(samples).subspan(at, std::min<std::size_t>(480, samples.size() - at)));
    }
    return samples;
}

// Each harmonic at its own level, in proportion to its amplitude; nothing else above -60 dBFS;
// never past full scale; and the volume's level unless the peak had to be held down.
TEST(Synthesizer, PlaysEachAmplitudeSetInProportionAndWithinFullScale) {
    std::vector<Amplitudes> sets{{},
                                 {100, 0, 30, 0, 14, 0, 7, 0, 3, 0, 1},
                                 {-77, -37, -24, -17, -9, -6, -1, -1, -1, -1},
                                 {100, 0, 0, 0, 6, 0, 0, 0, 2},
                                 {200},
                                 {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200}};
    sets.resize(9);
    std::mt19937 generator(99);
    for (std::size_t k = 0; k < 17; ++k) { // at the limit, alternating and at random
        sets[6][k] = 200;
        sets[7][k] = k % 2 == 0 ? 200 : -200;
        sets[8][k] = std::uniform_real_distribution<double>(-200, 200)(generator);
    }
    for (const Amplitudes& set : sets) {
        SCOPED_TRACE("first " + std::to_string(set[0]));
        audio::Synthesizer synthesizer(48000.0);
        synthesizer.set({{set}, 220.0, 0.5, true});
        (void)play(synthesizer, 0.1);
        const auto second = play(synthesizer, 1.0);
        const float peak = tone::peak(second);
        ASSERT_LE(peak, 1.0F);
        // Held down to full scale, every harmonic keeps its proportion to the fundamental; at
        // half volume 200 is a quarter of full scale.
        const double gain =
            peak > 0.97F ? tone::level(second, 220.0) / std::fabs(set[0]) : 1.0 / 800;
        for (std::size_t k = 0; k < 17; ++k) {
            const double level = tone::level(second, 220.0 * double(k + 1));
            if (set[k] == 0.0) {
                EXPECT_LT(tone::decibels(level), -60.0) << "harmonic " << k + 1;
            } else {
                EXPECT_NEAR(tone::decibels(level / (std::fabs(set[k]) * gain)), 0.0, 0.5)
                    << "harmonic " << k + 1;
            }
            EXPECT_LT(tone::decibels(tone::level(second, 220.0 * k + 110.0)), -60.0);
        }
    }
}

// Beyond the menu's choices and the boxes' limits: held at the limits, never noise. Harmonics at
// or above half the sample rate are left out: at 4.4 kHz the sixth would fold back to 21.6 kHz.
TEST(Synthesizer, HoldsWhatComesInAtItsLimitsAndLeavesOutWhatItCannotPlay) {
    const double nan = std::nan("");
    const std::pair<audio::SoundSnapshot, audio::SoundSnapshot> cases[] = {
        {{{1e9, -HUGE_VAL, nan}, 220.0, 7.0, true}, {{200, -200, 0}, 220.0, 1.0, true}},
        {{{100}, nan, nan, true}, {{100}, 0.0, 0.0, true}},
        {{{100}, 1e9, 0.5, true}, {{100}, 24000.0, 0.5, true}},
        {{{100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100},
          4400.0,
          0.5,
          true},
         {{100, 100, 100, 100, 100}, 4400.0, 0.5, true}},
    };
    for (const auto& [given, held] : cases) {
        audio::Synthesizer fromGiven(48000.0);
        audio::Synthesizer fromHeld(48000.0);
        fromGiven.set(given);
        fromHeld.set(held);
        EXPECT_EQ(play(fromGiven, 0.1), play(fromHeld, 0.1));
    }
}

// Silent until switched on; then MUTE to SQUARE, a new pitch mid-waveform and off again, each
// spread over the ramp.
TEST(Synthesizer, StartsSilentAndChangesWithoutClicks) {
    const Amplitudes square{100, 0, 30, 0, 14, 0, 7, 0, 3, 0, 1};
    audio::Synthesizer synthesizer(48000.0);
    synthesizer.set({{square}, 220.0, 1.0, false});
    std::vector<float> samples = play(synthesizer, 0.05);
    EXPECT_EQ(tone::peak(samples), 0.0F);
    for (const audio::SoundSnapshot& next : {audio::SoundSnapshot{{}, 220.0, 0.5, true},
                                             {{square}, 220.0, 0.5, true},
                                             {{square}, 880.0, 0.5, true},
                                             {{square}, 880.0, 0.5, false}}) {
        synthesizer.set(next);
        const auto more = play(synthesizer, 0.1);
        samples.insert(samples.end(), more.begin(), more.end());
    }
    // Nothing is steeper than the steady SQUARE at 880 Hz, but for the ramps' one per cent.
    const float steady = tone::largestStep(std::span(samples).subspan(14400, 2400));
    EXPECT_GT(steady, 0.01F) << "it did play";
    EXPECT_LE(tone::largestStep(samples), steady * 1.05F);
    EXPECT_EQ(samples.back(), 0.0F);
    EXPECT_TRUE(synthesizer.silent());
}

// Phased, the sound is the display's sum sample for sample; a harmonic's level does not depend
// on its phase; and a change of phase glides, as a change of amplitude does.
TEST(Synthesizer, PlaysEachHarmonicAtItsPhaseAndTurnsItWithoutClicks) {
    const Amplitudes square{100, 0, 30, 0, 14, 0, 7, 0, 3, 0, 1};
    const Amplitudes phases{0, 0, 90, 0, -45, 0, 30, 0, 89, 0, -60};
    audio::Synthesizer phased(48000.0);
    audio::Synthesizer inSine(48000.0);
    phased.set({{square, phases}, 220.0, 0.5, true});
    inSine.set({{square}, 220.0, 0.5, true});
    std::vector<float> samples = play(phased, 0.1);
    const auto sine = play(inSine, 0.1);
    for (std::size_t i = 2400; i < samples.size(); ++i) {
        double sum = 0;
        for (std::size_t k = 0; k < 17; ++k) {
            sum += square[k] / 800 *
                   std::sin(2 * std::numbers::pi * double(k + 1) * 220.0 * double(i) / 48000 +
                            phases[k] * std::numbers::pi / 180);
        }
        ASSERT_NEAR(samples[i], sum, 1e-5) << "sample " << i;
    }
    for (std::size_t k = 0; k < 11; k += 2) {
        EXPECT_NEAR(tone::level(std::span(samples).subspan(2400), 220.0 * double(k + 1)),
                    tone::level(std::span(sine).subspan(2400), 220.0 * double(k + 1)), 1e-4);
    }
    const float steady = std::max(tone::largestStep(std::span(samples).subspan(2400)),
                                  tone::largestStep(std::span(sine).subspan(2400)));
    phased.set({{square}, 220.0, 0.5, true});
    const auto turned = play(phased, 0.05);
    EXPECT_LE(tone::largestStep(turned), steady * 1.05F);
}

} // namespace
