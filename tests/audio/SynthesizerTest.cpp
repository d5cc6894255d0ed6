#include "audio/Synthesizer.h"

#include "tests/audio/ToneMeter.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using Amplitudes = std::array<double, 17>;

constexpr double sampleRate = 48000.0;

std::vector<float> play(audio::Synthesizer& synthesizer, double seconds) {
    std::vector<float> samples(static_cast<std::size_t>(seconds * sampleRate));
    // In blocks, as a device pulls them.
    for (std::size_t at = 0; at < samples.size(); at += 480) {
        synthesizer.render(
            std::span(samples).subspan(at, std::min<std::size_t>(480, samples.size() - at)));
    }
    return samples;
}

audio::SoundSnapshot sounding(const Amplitudes& amplitudes, double pitch = 220.0,
                              double volume = 0.5) {
    return {amplitudes, pitch, volume, true};
}

struct NamedSet {
    std::string name;
    Amplitudes amplitudes;
};

std::vector<NamedSet> amplitudeSets() {
    std::vector<NamedSet> sets{
        {"Mute", {}},
        {"Square", {100, 0, 30, 0, 14, 0, 7, 0, 3, 0, 1}},
        {"SawRight", {-77, -37, -24, -17, -9, -6, -1, -1, -1, -1}},
        {"SawLeft", {77, 37, 24, 17, 9, 6, 1, 1, 1, 1}},
        {"Sin", {100}},
        {"Triangle", {100, 0, 0, 0, 6, 0, 0, 0, 2}},
        {"FundamentalAtLimit", {200}},
        {"HighestAtLimit", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200}},
    };
    NamedSet allAtLimit{"AllAtPlusLimit", {}};
    NamedSet alternating{"AllAlternatingLimits", {}};
    for (std::size_t k = 0; k < 17; ++k) {
        allAtLimit.amplitudes[k] = 200;
        alternating.amplitudes[k] = k % 2 == 0 ? 200 : -200;
    }
    sets.push_back(allAtLimit);
    sets.push_back(alternating);
    std::mt19937 random(99);
    std::uniform_real_distribution<double> amplitude(-200, 200);
    for (int i = 0; i < 4; ++i) {
        NamedSet set{"Random" + std::to_string(i), {}};
        for (double& a : set.amplitudes) {
            a = amplitude(random);
        }
        sets.push_back(set);
    }
    return sets;
}

// Each harmonic at its own level, in proportion to its amplitude; nothing else above -60 dBFS;
// never past full scale; and the full volume's level unless the peak had to be held down.
TEST(Synthesizer, PlaysEachAmplitudeSetInProportionAndWithinFullScale) {
    for (const double volume : {0.5, 1.0}) {
        for (const NamedSet& set : amplitudeSets()) {
            SCOPED_TRACE(set.name + " at volume " + std::to_string(volume));
            audio::Synthesizer synthesizer(sampleRate);
            synthesizer.set(sounding(set.amplitudes, 220.0, volume));
            (void)play(synthesizer, 0.1);
            const auto second = play(synthesizer, 1.0);

            const float peak = tone::peak(second);
            ASSERT_LE(peak, 1.0F);
            const double unlimitedGain = volume * 0.5 / 200.0;
            const bool limited = peak > 0.97F;
            for (std::size_t k = 0; k < 17; ++k) {
                const double level = tone::level(second, 220.0 * double(k + 1), sampleRate);
                const double wanted = std::fabs(set.amplitudes[k]) * unlimitedGain;
                if (wanted == 0.0) {
                    EXPECT_LT(tone::decibels(level), -60.0) << "harmonic " << k + 1;
                } else if (!limited) {
                    EXPECT_NEAR(tone::decibels(level / wanted), 0.0, 0.5) << "harmonic " << k + 1;
                } else if (wanted >= unlimitedGain) { // limited: compare proportions
                    const double fundamentalRatio =
                        tone::level(second, 220.0, sampleRate) / std::fabs(set.amplitudes[0]);
                    EXPECT_NEAR(
                        tone::decibels(level / std::fabs(set.amplitudes[k]) / fundamentalRatio),
                        0.0, 0.5)
                        << "harmonic " << k + 1;
                }
            }
            for (std::size_t k = 0; k <= 17; ++k) {
                EXPECT_LT(
                    tone::decibels(tone::level(second, 220.0 * double(k) + 110.0, sampleRate)),
                    -60.0);
            }
            EXPECT_LT(tone::decibels(tone::level(second, 1000.0, sampleRate)), -60.0);
        }
    }
}

TEST(Synthesizer, OneHarmonicAtTheLimitPlaysAtHalfScaleTimesTheVolume) {
    for (const double volume : {0.25, 0.5, 0.75, 1.0}) {
        audio::Synthesizer synthesizer(sampleRate);
        synthesizer.set(sounding({0, 0, 0, 200}, 110.0, volume));
        (void)play(synthesizer, 0.1);
        const auto second = play(synthesizer, 1.0);
        EXPECT_NEAR(tone::level(second, 440.0, sampleRate), 0.5 * volume, 0.5 * volume * 0.06);
        EXPECT_NEAR(tone::peak(second), 0.5 * volume, 0.01);
    }
}

TEST(Synthesizer, LeavesOutHarmonicsAtOrAboveHalfTheSampleRate) {
    const double lowRate = 8000.0;
    audio::Synthesizer synthesizer(lowRate);
    Amplitudes amplitudes{};
    amplitudes.fill(100);
    synthesizer.set(sounding(amplitudes, 880.0, 0.5));
    std::vector<float> samples(16000);
    synthesizer.render(samples);
    const std::span<const float> second(samples.data() + 8000, 8000);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_GT(tone::decibels(tone::level(second, 880.0 * k, lowRate)), -40.0) << k;
    }
    // The fifth harmonic, 4400 Hz, would fold back to 3600 Hz.
    EXPECT_LT(tone::decibels(tone::level(second, 3600.0, lowRate)), -60.0);
    EXPECT_LT(tone::decibels(tone::level(second, 2400.0, lowRate)), -60.0);
}

// The largest step between samples a smooth sound may take: the steepest slope of the sines
// at full level, plus a whole level change spread over the shortest ramp (10 ms).
double allowedStep(const Amplitudes& amplitudes, double pitch, double volume) {
    double step = 0.0;
    for (std::size_t k = 0; k < 17; ++k) {
        const double level = std::fabs(amplitudes[k]) * volume * 0.5 / 200.0;
        step += level * (2.0 * std::numbers::pi * double(k + 1) * pitch / sampleRate +
                         1.0 / (0.010 * sampleRate));
    }
    return step;
}

double largestStep(const std::vector<float>& samples) {
    double largest = 0.0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        largest = std::max(largest, std::fabs(double(samples[i]) - samples[i - 1]));
    }
    return largest;
}

TEST(Synthesizer, ChangesWithoutClicks) {
    const Amplitudes square{100, 0, 30, 0, 14, 0, 7, 0, 3, 0, 1};
    audio::Synthesizer synthesizer(sampleRate);
    synthesizer.set(sounding({}, 220.0));
    auto samples = play(synthesizer, 0.05);
    synthesizer.set(sounding(square, 220.0)); // MUTE to SQUARE
    auto more = play(synthesizer, 0.1);
    samples.insert(samples.end(), more.begin(), more.end());
    synthesizer.set(sounding(square, 880.0)); // a new pitch mid-waveform
    more = play(synthesizer, 0.1);
    samples.insert(samples.end(), more.begin(), more.end());
    synthesizer.set({square, 880.0, 0.5, false}); // off
    more = play(synthesizer, 0.1);
    samples.insert(samples.end(), more.begin(), more.end());

    EXPECT_LE(largestStep(samples), allowedStep(square, 880.0, 0.5));
    EXPECT_GT(largestStep(samples), allowedStep(square, 220.0, 0.5) / 20) << "it did play";
    EXPECT_EQ(samples.back(), 0.0F);
    EXPECT_TRUE(synthesizer.silent());
}

TEST(Synthesizer, StaysSilentUntilSwitchedOn) {
    audio::Synthesizer synthesizer(sampleRate);
    synthesizer.set({{200, 200, 200}, 220.0, 1.0, false});
    const auto samples = play(synthesizer, 0.1);
    EXPECT_EQ(tone::peak(samples), 0.0F);
    EXPECT_TRUE(synthesizer.silent());
}

} // namespace
