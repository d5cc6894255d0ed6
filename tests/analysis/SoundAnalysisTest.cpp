// Tones made here with known harmonics, taken apart again: straight, and through sound files.
#include "analysis/SoundAnalysis.h"

#include "analysis/SoundFile.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <numbers>
#include <random>
#include <sndfile.h>

namespace {

using analysis::Problem;
using Amplitudes = std::array<int, 17>;
constexpr double pi = std::numbers::pi;

// Harmonic k of amplitude a (sin phase; negative for the opposite), and one at a phase of its own.
struct Tone {
    double hz;
    Amplitudes amplitudes;
    double rate = 48000;
    double seconds = 1.0;
    double vibrato = 0.0;                   // relative depth at 5 Hz
    std::pair<int, double> shifted{0, 0.0}; // harmonic, phase in radians
};

double waveAt(const Tone& tone, double phase) {
    double sum = 0.0;
    for (int k = 1; k <= 17; ++k) {
        sum += tone.amplitudes[k - 1] *
               std::sin(k * phase + (k == tone.shifted.first ? tone.shifted.second : 0.0));
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

TEST(SoundAnalysis, FindsThePitchTheEarHearsAndEachHarmonicWithItsSign) {
    const Tone tones[] = {
        {196.3, {100, 0, -39, 0, 20, 0, -7, 0, 9, 0, -2}, 48000, 1.0, 0.0, {5, 1.0}},
        {220, {50, 100}},        // a weak fundamental, not the octave above
        {200, {0, 100, 80, 60}}, // a missing one, as the ear hears it
        {40, {100, 50, 33, 25, 20, 17, 14, 13, 11, 10, 9, 8, 8, 7, 7, 6, 6}, 44100},
        {440, {100, 0, 30, 0, 14, 0, 7, 0, 3, 0, 1}, 8000}, // the 11th is past half the rate
        {1000, {100, -50, 0, 25}, 192000, 0.5},
        // A vibrato, and its 17th harmonic: measured at each moment's pitch, not blurred.
        {330, {100, 0, 0, 0, 40, 0, 0, 0, -20, 0, 0, 0, 0, 0, 0, 0, 15}, 48000, 2.0, 0.004},
        {2000, {100, 10}, 44100, 0.3},
        {150, {100, 0, 0, 60}, 48000, 1.0, 0.0, {4, pi / 3}},
    };
    for (const Tone& tone : tones) {
        const auto found = analysis::analyse(samplesOf(tone), tone.rate);
        ASSERT_TRUE(found.harmonics) << tone.hz << " Hz: " << int(found.problem);
        EXPECT_NEAR(found.harmonics->fundamentalHz, tone.hz, tone.hz * 0.001);
        Amplitudes expected = tone.amplitudes;
        for (std::size_t k = 0; k < 17; ++k) {
            expected[k] = (k + 1) * tone.hz >= tone.rate / 2 ? 0 : expected[k];
        }
        EXPECT_EQ(found.harmonics->amplitudes, expected) << tone.hz << " Hz";
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
          {samplesOf({200, {100}, 48000, 0.012}), Problem::TooShort}}) {
        const auto answer = analysis::analyse(samples, 48000);
        EXPECT_EQ(std::pair(answer.harmonics.has_value(), answer.problem),
                  std::pair(false, problem));
    }
}

// Written by libsndfile in each format, in stereo; read back, mixed to one and taken apart.
TEST(SoundFile, ReadsEveryFormatMixedToOneAndRefusesWhatIsNoSound) {
    const auto folder = std::filesystem::temp_directory_path() / "tonvirta-sound-file-test";
    std::filesystem::create_directories(folder);
    const Tone tone{261.6, {100, 0, 45, 0, -20}, 44100};
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
        EXPECT_THAT(found.harmonics->amplitudes,
                    testing::Pointwise(testing::FloatNear(1.0F), tone.amplitudes))
            << format;
    }
    std::ofstream(folder / "text") << "RIFF not really a sound";
    std::ofstream(folder / "empty").flush();
    for (const char* name : {"text", "empty", "missing"}) {
        EXPECT_FALSE(analysis::readSound((folder / name).string())) << name;
    }
    std::filesystem::remove_all(folder);
}

} // namespace
