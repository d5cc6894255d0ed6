// The sound engine: a tune's notes at their own samples, keys' as they came.
#include "audio/Engine.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using audio::NoteEvent;
using Kind = NoteEvent::Kind;
constexpr double rate = 48000;

audio::SoundSnapshot sine() {
    audio::SoundSnapshot snapshot;
    snapshot.timbre.amplitudes = {100};
    snapshot.on = true;
    snapshot.playing = true; // the held tone keeps silent: only the notes are heard
    return snapshot;
}

std::vector<float> render(audio::Engine& engine, audio::NoteInbox& inbox, double seconds,
                          std::size_t block) {
    std::vector<float> samples(std::size_t(seconds * rate));
    for (std::size_t at = 0; at < samples.size(); at += block) {
        const std::size_t size = std::min(block, samples.size() - at);
        const auto nowNs = std::int64_t(double(engine.clock() + size) * 1e9 / rate);
        engine.render(std::span(samples).subspan(at, size), inbox, nowNs);
    }
    return samples;
}

// Where each note starts: the first sound after 5 ms of silence, or at the start.
std::vector<std::size_t> onsets(const std::vector<float>& samples) {
    std::vector<std::size_t> found;
    std::size_t quiet = 240;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i] != 0.0F && quiet >= 240) {
            found.push_back(i);
        }
        quiet = samples[i] == 0.0F ? quiet + 1 : 0;
    }
    return found;
}

void send(audio::NoteInbox& inbox, std::uint32_t tune, const std::vector<double>& starts) {
    for (const double at : starts) {
        ASSERT_TRUE(inbox.tune.push({{at, {Kind::On, 84, 127}}, tune}));
        ASSERT_TRUE(inbox.tune.push({{at + 0.01, {Kind::Off, 84, 0}}, tune}));
    }
}

// GIVEN a tune's notes sent all at once, well ahead WHEN the sound is rendered in blocks of any
// size THEN each note starts at the sample its time names, counted from the tune's start (its
// first sample is the envelope's 0, so it is heard one later).
TEST(Engine, StartsATunesNotesAtTheirOwnSampleWhateverTheBlocks) {
    const std::vector<double> starts{0.0101, 0.0607, 0.1313, 0.2};
    for (const std::size_t block : {64U, 480U, 1024U, 4096U}) {
        audio::Engine engine(rate);
        audio::NoteInbox inbox;
        engine.set(sine());
        (void)render(engine, inbox, 0.05, block); // the sound was running before the tune
        inbox.wantedTune = 1;
        send(inbox, 1, starts);
        const auto samples = render(engine, inbox, 0.35, block);
        std::vector<std::size_t> expected;
        for (const double at : starts) {
            expected.push_back(std::size_t(std::llround(at * rate)) + 1);
        }
        EXPECT_EQ(onsets(samples), expected) << block << "-sample blocks";
    }
}

// GIVEN a tune on its way WHEN it is stopped, or its notes come too late THEN what it had on its
// way is never heard, a note more than a tenth of a second late is left out, and a new tune
// counts from its own start.
TEST(Engine, DropsAStoppedTuneAndLateNotes) {
    audio::Engine engine(rate);
    audio::NoteInbox inbox;
    engine.set(sine());
    inbox.wantedTune = 1;
    send(inbox, 1, {0.05, 0.1});
    (void)render(engine, inbox, 0.01, 480);
    inbox.wantedTune = 0;
    EXPECT_TRUE(onsets(render(engine, inbox, 0.2, 480)).empty()) << "stopped";

    inbox.wantedTune = 2;
    (void)render(engine, inbox, 0.3, 480);
    send(inbox, 2, {0.15});
    EXPECT_TRUE(onsets(render(engine, inbox, 0.05, 480)).empty()) << "150 ms late: left out";
    send(inbox, 2, {0.32});
    EXPECT_EQ(onsets(render(engine, inbox, 0.05, 480)), (std::vector<std::size_t>{1}))
        << "30 ms late: at once";
}

// GIVEN a key's or the MIDI port's note stamped as it came WHEN a block of 10 ms is asked for
// THEN the note starts as far into it as it came into the 10 ms before; one that came earlier
// starts at once, and one stamped ahead waits for its own block.
TEST(Engine, SpreadsKeysAndPortNotesOverTheNextBlockAsTheyCame) {
    struct Case {
        std::int64_t agoUs;
        bool port;
        std::size_t onset;
        const char* what;
    };
    const std::int64_t now = 1'000'000'000;
    for (const Case& c :
         {Case{8000, false, 97, "2 ms into the block"}, Case{1000, true, 433, "9 ms in"},
          Case{50000, false, 1, "before it: at once"},
          Case{-5000, true, 721, "5 ms ahead: into the next"}}) {
        audio::Engine engine(rate);
        audio::NoteInbox inbox;
        engine.set(sine());
        ASSERT_TRUE(
            (c.port ? inbox.midi : inbox.window).push({now - c.agoUs * 1000, {Kind::On, 72, 127}}));
        std::vector<float> samples(960);
        engine.render(std::span(samples).first(480), inbox, now);
        engine.render(std::span(samples).last(480), inbox, now + 10'000'000);
        EXPECT_EQ(onsets(samples), (std::vector<std::size_t>{c.onset})) << c.what;
    }
}

} // namespace

namespace {

// GIVEN the held tone sounding WHEN a clip comes with the snapshot THEN it plays once from its
// first sample at the volume, the held tone silent meanwhile and back after it; the same clip
// does not start again, a new one does, and nothing plays while the sound is off.
TEST(Engine, PlaysAClipOnceOverASilentHeldToneAndThenTheToneAgain) {
    audio::Engine engine(rate);
    audio::NoteInbox inbox;
    audio::SoundSnapshot held = sine();
    held.playing = false;
    engine.set(held);
    render(engine, inbox, 0.1, 480);
    const auto clip = std::make_shared<const std::vector<float>>(4800, 0.5F);
    held.clip = {clip, 1};
    engine.set(held);
    std::vector<float> heard = render(engine, inbox, 0.2, 480);
    // The held tone ramps out over 15 ms under the clip's steady 0.25; then only the clip.
    for (std::size_t i = 960; i < 4800; ++i) {
        ASSERT_FLOAT_EQ(heard[i], 0.25F) << i;
    }
    EXPECT_NE(heard[4800 + 1440], 0.0F) << "the held tone is back";
    engine.set(held);
    heard = render(engine, inbox, 0.1, 480);
    EXPECT_TRUE(std::none_of(heard.begin(), heard.end(), [](float s) { return s == 0.25F; }));
    held.clip.id = 2;
    held.on = false;
    engine.set(held);
    heard = render(engine, inbox, 0.2, 480);
    EXPECT_EQ(heard.back(), 0.0F) << "off: neither the tone nor the clip";
    EXPECT_TRUE(engine.silent());
}

} // namespace
