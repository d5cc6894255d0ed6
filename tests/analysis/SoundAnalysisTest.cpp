// Tones made here with known harmonics, taken apart again: straight, and through sound files.
#include "analysis/SoundAnalysis.h"

#include "analysis/SoundFile.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <limits>
#include <numbers>
#include <random>
#include <sndfile.h>

namespace {

using analysis::Problem;
using Amplitudes = model::Amplitudes;
constexpr double pi = std::numbers::pi;

// Harmonic k of amplitude a at a phase in degrees: a sin(k x + phase).
struct Tone {
    double hz;
    Amplitudes amplitudes;
    double rate = 48000;
    double seconds = 1.0;
    double vibrato = 0.0; // relative depth at 5 Hz
    model::Phases phases{};
};

double waveAt(const Tone& tone, double phase) {
    double sum = 0.0;
    for (int k = 1; k <= 17; ++k) {
        sum += tone.amplitudes[k - 1] * std::sin(k * phase + tone.phases[k - 1] * pi / 180);
    }
    return sum;
}

std::vector<float> samplesOf(const Tone& tone) {
    std::vector<float> x(std::size_t(tone.seconds * tone.rate));
    double phase = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double t = double(i) / tone.rate;
        phase += 2 * pi * tone.hz * (1 + tone.vibrato * std::sin(2 * pi * 5 * t)) / tone.rate;
        x[i] = float(waveAt(tone, phase) / 400.0 * std::min(1.0, t / 0.05)); // with an attack
    }
    return x;
}

TEST(SoundAnalysis, FindsThePitchTheEarHearsAndEachHarmonicWithItsPhase) {
    const Tone tones[] = {
        {196.3,
         {100, 0, -39, 0, 20, 0, -7, 0, 9, 0, -2},
         48000,
         1.0,
         0.0,
         {0, 0, 0, 0, 57, 0, -80}},
        {220, {50, 100}},        // a weak fundamental, not the octave above
        {200, {0, 100, 80, 60}}, // a missing one, as the ear hears it
        {40, {100, 50, 33, 25, 20, 17, 14, 13, 11, 10, 9, 8, 8, 7, 7, 6, 6}, 44100},
        {440, {100, 0, 30, 0, 14, 0, 7, 0, 3, 0, 1}, 8000}, // the 11th is past half the rate
        {1000, {100, -50, 0, 25}, 192000, 0.5},
        // A vibrato, and its 17th harmonic: measured at each moment's pitch, not blurred.
        {330, {100, 0, 0, 0, 40, 0, 0, 0, -20, 0, 0, 0, 0, 0, 0, 0, 15}, 48000, 2.0, 0.004},
        {2000, {100, 10}, 44100, 0.3},
        {150, {100, 0, 0, 60, 30}, 48000, 1.0, 0.0, {0, 0, 0, 60, -89}},
    };
    for (const Tone& tone : tones) {
        const auto found = analysis::analyse(samplesOf(tone), tone.rate);
        ASSERT_TRUE(found.harmonics) << tone.hz << " Hz: " << int(found.problem);
        EXPECT_NEAR(found.harmonics->fundamentalHz, tone.hz, tone.hz * 0.001);
        Amplitudes expected = tone.amplitudes;
        for (std::size_t k = 0; k < 17; ++k) {
            expected[k] = (k + 1) * tone.hz >= tone.rate / 2 ? 0 : expected[k];
        }
        EXPECT_EQ(found.harmonics->timbre.amplitudes, expected) << tone.hz << " Hz";
        for (std::size_t k = 0; k < 17 && tone.vibrato == 0.0; ++k) {
            EXPECT_NEAR(found.harmonics->timbre.phases[k], expected[k] == 0 ? 0 : tone.phases[k], 2)
                << tone.hz << " Hz, harmonic " << k + 1;
        }
        // The target: the sound's own period, from the fundamental's zero, wherever it is steady
        // and has a fundamental to start from.
        const bool whole =
            tone.vibrato == 0.0 && tone.amplitudes[0] != 0 && 34 * tone.hz < tone.rate;
        for (std::size_t c = 0; whole && c < 256; c += 8) {
            EXPECT_NEAR(found.harmonics->period[c], waveAt(tone, 2 * pi * double(c) / 256), 1.5)
                << tone.hz << " Hz, column " << c;
        }
    }
}

TEST(SoundAnalysis, ANoteAmongOthersGivesItsOwnPitchAndNothingSaysWhy) {
    auto low = samplesOf({220, {100}, 48000, 0.6});
    auto high = samplesOf({330, {100, 30}, 48000, 0.6});
    std::transform(high.begin(), high.end(), high.begin(), [](float v) { return 1.5F * v; });
    low.insert(low.end(), high.begin(), high.end());
    const auto found = analysis::analyse(low, 48000);
    ASSERT_TRUE(found.harmonics);
    EXPECT_NEAR(found.harmonics->fundamentalHz, 330, 0.3) << "the louder note, never between";
    std::vector<float> hiss(48000);
    std::generate(hiss.begin(), hiss.end(),
                  [g = std::mt19937(7)]() mutable { return g() / 1e10F - 0.2F; });
    for (const auto& [samples, problem] :
         {std::pair{std::vector<float>(48000), Problem::Silent},
          {hiss, Problem::NoSteadyPitch},
          {samplesOf({200, {100}, 48000, 0.012}), Problem::TooShort},
          {samplesOf({440, {100}, 48000, 0.02}), Problem::TooShort},
          {samplesOf({440, {100}, 48000, 0.099}), Problem::TooShort}}) {
        const auto answer = analysis::analyse(samples, 48000);
        EXPECT_EQ(std::pair(answer.harmonics.has_value(), answer.problem),
                  std::pair(false, problem));
    }
}

// A note as an instrument plays it: its pitch, in cents about hz, and each harmonic's level
// over time.
struct Played {
    const char* what;
    double hz;
    Amplitudes amplitudes;
    double seconds;
    std::function<double(double t)> cents;
    std::function<double(int k, double t)> level;
};

std::vector<float> samplesOf(const Played& note, double rate = 48000) {
    std::vector<float> x(std::size_t(note.seconds * rate));
    double phase = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double t = double(i) / rate;
        phase += 2 * pi * note.hz * std::exp2(note.cents(t) / 1200) / rate;
        double sum = 0.0;
        for (int k = 1; k <= 17; ++k) {
            sum += note.amplitudes[k - 1] * note.level(k, t) * std::sin(k * phase);
        }
        x[i] = float(sum / 400.0);
    }
    return x;
}

auto vibrato(double cents, double hz) {
    return [=](double t) { return cents * std::sin(2 * pi * hz * t); };
}
double held(int, double t) {
    return std::min(1.0, t / 0.05);
}
// Each harmonic dying away at its own rate, the upper ones sooner, as a plucked string's do.
double plucked(int k, double t) {
    return std::min(1.0, t / 0.01) * std::exp(-t * (k + 1) / 2.5);
}
double steady(double) {
    return 0.0;
}

TEST(SoundAnalysis, TakesANoteApartAsItIsPlayed) {
    const Played notes[] = {
        {"violin A4",
         436.9,
         {100, 60, 45, 30, 25, 18, 12, 9, 6, 4, 3, 2},
         2,
         vibrato(39, 5.5),
         held},
        {"violin G#6", 1669, {100, 30, 10}, 2, vibrato(72, 6), held},
        {"wide and slow", 220, {100, -50, 0, 25, 0, 12}, 2, vibrato(100, 3), held},
        {"narrow and fast",
         150,
         {100, 50, 33, 25, 20, 17, 14, 13, 11, 10, 9, 8, 8, 7, 7, 6, 6},
         2,
         vibrato(30, 9),
         held},
        {"wide and fast", 330, {100, 0, 30, 0, 10}, 2, vibrato(100, 9), held},
        {"a singer, as listening hears", 294, {100, 40, 20, 10}, 0.5, vibrato(50, 6), held},
        {"settling horn",
         110.2,
         {100, 70, 50, 35, 20, 10},
         2.7,
         [](double t) { return t < 0.25 ? -17.0 : 0.0; },
         [](int, double t) { return t < 0.25 ? 1.19 : 1.0; }},
        {"loud, then quieter and longer",
         300,
         {100, 40},
         3.2,
         [](double t) { return t < 0.8 ? 0.0 : 498.0; },
         [](int k, double t) { return t < 0.8  ? 1.0
                                      : k == 1 ? 0.63
                                               : 0.0; }},
        {"a semitone up, longer",
         317.8,
         {100, 20},
         1.6,
         [](double t) { return t < 0.6 ? -100.0 : 0.0; },
         held},
    };
    for (const Played& note : notes) {
        const auto found = analysis::analyse(samplesOf(note), 48000);
        ASSERT_TRUE(found.harmonics) << note.what << ": " << int(found.problem);
        EXPECT_NEAR(1200 * std::log2(found.harmonics->fundamentalHz / note.hz), 0, 5) << note.what;
        EXPECT_THAT(found.harmonics->timbre.amplitudes,
                    testing::Pointwise(testing::FloatNear(2.0F), note.amplitudes))
            << note.what;
    }
    // A plucked string is measured where it starts to sound, not in its fading tail.
    const Played guitar{"guitar E2", 82.4, {30, 100, 60, 20}, 3, steady, plucked};
    const auto found = analysis::analyse(samplesOf(guitar), 48000);
    ASSERT_TRUE(found.harmonics);
    Amplitudes early{};
    for (std::size_t k = 0; k < 4; ++k) {
        early[k] =
            int(std::lround(guitar.amplitudes[k] * plucked(int(k + 1), 0.15) / plucked(2, 0.15)));
    }
    EXPECT_THAT(found.harmonics->timbre.amplitudes,
                testing::Pointwise(testing::FloatNear(4.0F), early));
}

TEST(SoundAnalysis, SaysWhatIsNoNoteOrOutOfRange) {
    const auto up = [](double t) { return 700 * t / 1.5; };
    const struct {
        const char* what;
        std::vector<float> samples;
        Problem problem;
        double hz = 0;
    } sounds[] = {
        {"a glide", samplesOf({"", 200, {100, 30}, 1.5, up, held}), Problem::NoSteadyPitch},
        {"a piccolo's top", samplesOf({"", 2130, {100, 20}, 1, steady, held}), Problem::OutOfRange,
         2130},
        {"an organ's lowest", samplesOf({"", 25, {100, 60, 30}, 1.5, steady, held}),
         Problem::OutOfRange, 25},
    };
    for (const auto& sound : sounds) {
        const auto found = analysis::analyse(sound.samples, 48000);
        EXPECT_EQ(std::pair(found.harmonics.has_value(), found.problem),
                  std::pair(false, sound.problem))
            << sound.what;
        EXPECT_NEAR(found.hz, sound.hz, sound.hz * 0.003) << sound.what;
    }
}

// Written by libsndfile in each format, in stereo; read back, mixed to one and taken apart.
TEST(SoundFile, ReadsEveryFormatMixedToOneAndRefusesWhatIsNoSound) {
    const auto folder = std::filesystem::temp_directory_path() / "tonvirta-sound-file-test";
    std::filesystem::create_directories(folder);
    const Tone tone{261.6, {100, 0, 45, 0, -20, 0, 12}, 44100, 1.0, 0.0, {0, 0, 70, 0, -30, 0, 85}};
    const auto mono = samplesOf(tone);
    std::vector<float> stereo; // mixed, the channels make the tone again
    std::for_each(mono.begin(), mono.end(), [&](float v) {
        stereo.insert(stereo.end(), {v * 1.5F, v * 0.5F});
    });
    for (const int format :
         {SF_FORMAT_WAV | SF_FORMAT_FLOAT, SF_FORMAT_FLAC | SF_FORMAT_PCM_16,
          SF_FORMAT_OGG | SF_FORMAT_VORBIS, SF_FORMAT_OGG | SF_FORMAT_OPUS,
          SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, SF_FORMAT_AIFF | SF_FORMAT_PCM_24}) {
        const auto path = (folder / ("tone" + std::to_string(format))).string();
        SF_INFO info{0, format == (SF_FORMAT_OGG | SF_FORMAT_OPUS) ? 48000 : 44100, 2, format, 0,
                     0};
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr) << format;
        sf_writef_float(file, stereo.data(), sf_count_t(mono.size()));
        sf_close(file);
        const auto sound = analysis::readSound(path);
        const auto found = analysis::analyse(sound.value().samples, sound->rate);
        ASSERT_TRUE(found.harmonics) << format;
        EXPECT_NEAR(found.harmonics->fundamentalHz, 261.6 * info.samplerate / 44100, 0.5) << format;
        EXPECT_THAT(found.harmonics->timbre.amplitudes,
                    testing::Pointwise(testing::FloatNear(1.0F), tone.amplitudes))
            << format;
        EXPECT_THAT(found.harmonics->timbre.phases,
                    testing::Pointwise(testing::DoubleNear(5), tone.phases))
            << format;
    }
    // A float file may hold what no sound holds: read as silence there, the note is still found.
    std::vector<float> broken = mono;
    broken[1000] = std::numeric_limits<float>::infinity();
    broken[20000] = std::numeric_limits<float>::quiet_NaN();
    SF_INFO info{0, 44100, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0, 0};
    SNDFILE* file = sf_open((folder / "broken.wav").c_str(), SFM_WRITE, &info);
    sf_writef_float(file, broken.data(), sf_count_t(broken.size()));
    sf_close(file);
    const auto sound = analysis::readSound((folder / "broken.wav").string());
    EXPECT_EQ(std::pair(sound->samples[1000], sound->samples[20000]), std::pair(0.0F, 0.0F));
    const auto found = analysis::analyse(sound->samples, sound->rate);
    ASSERT_TRUE(found.harmonics);
    EXPECT_NEAR(found.harmonics->fundamentalHz, 261.6, 0.3);
    std::ofstream(folder / "text") << "RIFF not really a sound";
    std::ofstream(folder / "empty").flush();
    for (const char* name : {"text", "empty", "missing"}) {
        EXPECT_FALSE(analysis::readSound((folder / name).string())) << name;
    }
    std::filesystem::remove_all(folder);
}

} // namespace
