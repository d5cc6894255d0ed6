#include "audio/Voices.h"

#include "tests/audio/ToneMeter.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using audio::NoteEvent;
using Kind = NoteEvent::Kind;

// What was played, and when in seconds.
struct Timed {
    double at;
    NoteEvent event;
};

std::vector<float> play(audio::Voices& voices, const std::vector<Timed>& score, double seconds) {
    std::vector<float> samples(std::size_t(seconds * 48000));
    std::size_t next = 0;
    for (std::size_t at = 0; at < samples.size(); at += 240) { // 5 ms blocks
        while (next < score.size() && score[next].at * 48000 <= double(at)) {
            voices.handle(score[next++].event);
        }
        voices.renderAdding(
            std::span(samples).subspan(at, std::min<std::size_t>(240, samples.size() - at)));
    }
    return samples;
}

audio::SoundSnapshot timbre(std::array<double, 17> amplitudes, double volume = 1.0) {
    audio::SoundSnapshot snapshot;
    snapshot.timbre.amplitudes = amplitudes;
    snapshot.volume = volume;
    snapshot.on = true;
    return snapshot;
}

// GIVEN a sine timbre WHEN notes are played THEN each sounds at its equal-tempered pitch, bent
// as asked, held by the pedal, and at its velocity's level.
TEST(Voices, PlaysEachNoteAtItsPitchBentHeldAndAtItsVelocity) {
    struct Case {
        const char* what;
        std::vector<Timed> score;
        double from, to; // seconds measured
        double hz;       // 0: silence
        double level;    // of that frequency, as a fraction of full velocity's
    } const cases[] = {
        {"A4", {{0, {Kind::On, 69, 127}}}, 0.1, 0.5, 440.0, 1.0},
        {"C2", {{0, {Kind::On, 36, 127}}}, 0.1, 0.5, 65.406, 1.0},
        {"C8", {{0, {Kind::On, 108, 127}}}, 0.1, 0.5, 4186.0, 1.0},
        {"A4 bent up 2",
         {{0, {Kind::Bend, 0, 2.0F}}, {0, {Kind::On, 69, 127}}},
         0.1,
         0.5,
         493.883,
         1.0},
        {"A4 at half velocity", {{0, {Kind::On, 69, 64}}}, 0.1, 0.5, 440.0, 64.0 / 127},
        {"released", {{0, {Kind::On, 69, 127}}, {0.1, {Kind::Off, 69, 0}}}, 0.2, 0.5, 0, 0},
        {"held by the pedal",
         {{0, {Kind::Sustain, 0, 1}}, {0, {Kind::On, 69, 127}}, {0.05, {Kind::Off, 69, 0}}},
         0.1,
         0.5,
         440.0,
         1.0},
        {"pedal up",
         {{0, {Kind::Sustain, 0, 1}},
          {0, {Kind::On, 69, 127}},
          {0.05, {Kind::Off, 69, 0}},
          {0.1, {Kind::Sustain, 0, 0}}},
         0.2,
         0.5,
         0,
         0},
        {"all notes off", {{0, {Kind::On, 69, 127}}, {0.05, {Kind::AllOff, 0, 0}}}, 0.2, 0.5, 0, 0},
    };
    // Amplitude 100 at full volume: a quarter of full scale in the held tone, half that in a voice.
    const double full = 0.5 * 100 / 200 * audio::Voices::voiceGain;
    for (const Case& c : cases) {
        audio::Voices voices(48000);
        voices.set(timbre({100}));
        const auto samples = play(voices, c.score, c.to);
        const auto part = std::span(samples).subspan(std::size_t(c.from * 48000));
        if (c.hz == 0) {
            EXPECT_LT(tone::peak(part), 1e-6) << c.what;
            EXPECT_TRUE(voices.silent()) << c.what;
            continue;
        }
        EXPECT_NEAR(tone::cents(tone::frequency(part), c.hz), 0, 1) << c.what;
        EXPECT_NEAR(tone::level(part, c.hz), full * c.level, 0.01 * full) << c.what;
    }
    // A note let go before it was ever rendered still sounds: it rises, then dies away.
    audio::Voices voices(48000);
    voices.set(timbre({100}));
    const auto blip = play(voices, {{0, {Kind::On, 69, 127}}, {0, {Kind::Off, 69, 0}}}, 0.05);
    EXPECT_GT(tone::peak(blip), 0.05F);
    EXPECT_TRUE(voices.silent());
}

// GIVEN SQUARE WHEN a chord is held and the timbre edited, then 20 notes come at once THEN every
// note of the chord sounds and the edit reaches each, no more than 16 voices sound once the
// steals have died away, and nothing clicks or clips.
TEST(Voices, MixesManyNotesWithoutClicksOrClippingAndHearsEdits) {
    const std::array<double, 17> square{200, 0, 60, 0, 28, 0, 14, 0, 6, 0, 2};
    audio::Voices voices(48000);
    voices.set(timbre(square));
    std::vector<Timed> chord;
    for (const int note : {48, 60, 72}) { // octaves: no harmonic of one meets another's third
        chord.push_back({0, {Kind::On, std::uint8_t(note), 127}});
    }
    std::vector<float> samples = play(voices, chord, 0.2);
    auto edited = timbre(square);
    edited.timbre.amplitudes[2] = 0;
    voices.set(edited);
    const auto after = play(voices, {}, 0.2);
    for (const int note : {48, 60, 72}) {
        const double hz = audio::Voices::frequencyOf(note);
        const auto before = std::span(samples).subspan(2400);
        EXPECT_NEAR(tone::level(before, 3 * hz), 0.3 * tone::level(before, hz), 0.003) << note;
        EXPECT_LT(tone::level(std::span(after).subspan(2400), 3 * hz), 1e-3) << note;
    }
    samples.insert(samples.end(), after.begin(), after.end());
    std::vector<Timed> many;
    for (int note = 40; note < 60; ++note) {
        many.push_back({0, {Kind::On, std::uint8_t(note), 100}});
    }
    const auto crowd = play(voices, many, 0.2);
    samples.insert(samples.end(), crowd.begin(), crowd.end());
    EXPECT_LE(tone::peak(samples), 0.99F);
    EXPECT_EQ(voices.sounding(), 16U);
    // The steepest step: no more than SQUARE's own, at the highest note played, full scale.
    EXPECT_LT(tone::largestStep(samples), 0.12F);
}

// GIVEN notes each at 0.43 of full scale WHEN they sound together THEN each keeps its own level
// (a chord is louder than its notes) while the mix stays under full scale, and only a mix that
// would pass it is turned down, never past.
TEST(Voices, NotesAddAndOnlyAMixPastFullScaleIsTurnedDown) {
    // Harmonics 1 and 2 at 200 peak at 1.76 times 200: at this volume a voice peaks at 0.43.
    const double volume = 0.43 / (1.7602 * 0.5 * audio::Voices::voiceGain);
    const std::vector<std::vector<int>> chords{{60}, {60, 67}, {48, 55, 60, 64, 67, 72, 76}};
    double alone = 0;
    double rmsBefore = 0;
    for (const auto& chord : chords) {
        audio::Voices voices(48000);
        voices.set(timbre({200, 200}, volume));
        std::vector<Timed> score;
        for (const int note : chord) {
            score.push_back({0, {Kind::On, std::uint8_t(note), 127}});
        }
        const auto samples = play(voices, score, 0.4);
        const auto part = std::span(samples).subspan(4800);
        // E4's fundamental: no other note's harmonic here.
        const double level =
            tone::level(part, audio::Voices::frequencyOf(chord.size() > 2 ? 64 : 60));
        EXPECT_LE(tone::peak(samples), 0.99F) << chord.size();
        if (chord.size() == 1) {
            EXPECT_NEAR(tone::peak(part), 0.43, 0.01);
            alone = level;
        } else if (chord.size() == 2) {
            EXPECT_NEAR(level, alone, 0.01 * alone) << "no note of two is turned down";
            EXPECT_GT(tone::rms(part), rmsBefore * 1.3) << "two notes are louder than one";
        } else {
            EXPECT_LT(level, alone * 0.9) << "a mix past full scale is turned down";
        }
        rmsBefore = tone::rms(part);
    }
}

// GIVEN keys and the pedal WHEN notes start, rise, are held and let go THEN each voice goes
// through its life's stages in order, and ends free.
TEST(Voices, LiveThroughTheirStagesFromStartingToFree) {
    using Stage = audio::Voices::Stage;
    const NoteEvent on{Kind::On, 60, 127};
    const NoteEvent off{Kind::Off, 60, 0};
    const NoteEvent down{Kind::Sustain, 0, 1};
    const NoteEvent up{Kind::Sustain, 0, 0};
    const struct Case {
        const char* what;
        // The first events, 10 ms of sound, the next events, 10 ms of sound.
        std::vector<NoteEvent> first, then;
        std::vector<Stage> before, after, end; // at once, after the next and 0.1 s later
    } cases[] = {
        {"held", {on}, {}, {Stage::Starting}, {Stage::Held}, {Stage::Held}},
        {"let go as it rises", {on, off}, {}, {Stage::ReleasingOnceRisen}, {Stage::Releasing}, {}},
        {"let go once risen", {on}, {off}, {Stage::Starting}, {Stage::Releasing}, {}},
        {"held by the pedal",
         {down, on},
         {off},
         {Stage::Starting},
         {Stage::Sustained},
         {Stage::Sustained}},
        {"the pedal lifted", {down, on, off}, {up}, {Stage::Sustained}, {Stage::Releasing}, {}},
        {"all off", {on}, {{Kind::AllOff, 0, 0}}, {Stage::Starting}, {Stage::Releasing}, {}},
    };
    for (const Case& c : cases) {
        audio::Voices voices(48000);
        voices.set(timbre({100}));
        std::vector<float> tenMs(480);
        for (const NoteEvent& event : c.first) {
            voices.handle(event);
        }
        EXPECT_EQ(voices.stages(), c.before) << c.what;
        voices.renderAdding(tenMs);
        for (const NoteEvent& event : c.then) {
            voices.handle(event);
        }
        voices.renderAdding(tenMs);
        EXPECT_EQ(voices.stages(), c.after) << c.what;
        (void)play(voices, {}, 0.1);
        EXPECT_EQ(voices.stages(), c.end) << c.what;
    }
}

// A note high enough that its harmonics pass half the sample rate: they are left out, so none
// folds back to be heard below.
TEST(Voices, LeavesOutHarmonicsAtOrAboveHalfTheSampleRate) {
    audio::Voices voices(48000);
    voices.set(timbre({100, 100}));
    const auto samples = play(voices, {{0, {Kind::On, 127, 127}}}, 0.3); // 12544 Hz
    const auto part = std::span(samples).subspan(4800);
    const double hz = audio::Voices::frequencyOf(127);
    EXPECT_GT(tone::level(part, hz), 0.1);
    EXPECT_LT(tone::level(part, 48000 - 2 * hz), 1e-4);
}

} // namespace
