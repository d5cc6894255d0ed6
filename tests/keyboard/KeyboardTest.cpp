#include "keyboard/Performance.h"
#include "keyboard/TuneFeed.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

using audio::NoteEvent;
using Kind = NoteEvent::Kind;

// Where a point of two octaves and a C, 150 wide and 100 high, lands: black keys lie over white.
TEST(Piano, FindsTheKeyUnderAPointAndTheNoteOfAComputersKey) {
    const keyboard::PianoLayout piano{48, 2, 150, 100};
    for (const auto& [x, y, note] : std::vector<std::tuple<double, double, int>>{{1, 99, 48},
                                                                                 {19, 99, 50},
                                                                                 {9, 10, 49},
                                                                                 {14, 10, 50},
                                                                                 {149, 50, 72},
                                                                                 {79, 10, 61},
                                                                                 {-1, 50, -1},
                                                                                 {150, 50, -1},
                                                                                 {50, 100, -1}}) {
        EXPECT_EQ(piano.noteAt(x, y).value_or(-1), note) << x << ", " << y;
    }
    // Z, S, M, ",", /, Q, 2, P by place; a letter without one; Escape and Backspace play nothing.
    for (const auto& [code, semitone] : std::vector<std::pair<unsigned, int>>{{52, 0},
                                                                              {39, 1},
                                                                              {58, 11},
                                                                              {59, 12},
                                                                              {61, 16},
                                                                              {24, 12},
                                                                              {11, 13},
                                                                              {33, 28},
                                                                              {9, -1},
                                                                              {22, -1}}) {
        EXPECT_EQ(keyboard::semitoneOfKeyCode(code).value_or(-1), semitone) << code;
    }
    EXPECT_EQ(keyboard::semitoneOfCharacter('z'), 0);
    EXPECT_EQ(keyboard::semitoneOfCharacter('P'), 28);
    EXPECT_EQ(keyboard::semitoneOfCharacter('a'), std::nullopt);
}

// GIVEN Play WHEN keys, the octave and the mouse are used THEN each note goes on and off once, a
// key held through an octave change lets go of its own note, and stopping silences everything.
TEST(Performance, SendsEachNoteOnceAndLetsGoOfWhatItStarted) {
    std::vector<std::pair<Kind, int>> sent;
    keyboard::Performance play([&sent](const NoteEvent& e) { sent.emplace_back(e.kind, e.note); });
    play.keyDown(52, 0);
    play.keyDown(52, 0); // repeated while held
    play.shiftOctave(1);
    play.keyDown(24, 12);
    play.keyUp(52);
    EXPECT_EQ(play.held().count(), 1U);
    play.mouseAt(69);
    play.mouseAt(69);
    play.mouseAt(71); // glided
    play.mouseAt(std::nullopt);
    play.heard({Kind::On, 40, 90});
    EXPECT_TRUE(play.held().test(40) && play.held().test(84));
    EXPECT_TRUE(play.shiftOctave(-4));
    EXPECT_FALSE(play.shiftOctave(-1)) << "C0 is too low to hear as a pitch";
    EXPECT_EQ(play.octave().base(), 24);
    for (int up = 0; up < 6; ++up) {
        EXPECT_TRUE(play.shiftOctave(1));
    }
    EXPECT_FALSE(play.shiftOctave(1)) << "at C8 the upper row's P would be past MIDI's G9";
    play.stop();
    EXPECT_TRUE(play.held().none());
    const std::vector<std::pair<Kind, int>> expected{
        {Kind::On, 60}, {Kind::On, 84},  {Kind::Off, 60},    {Kind::On, 69},  {Kind::Off, 69},
        {Kind::On, 71}, {Kind::Off, 71}, {Kind::Sustain, 0}, {Kind::Bend, 0}, {Kind::AllOff, 0}};
    EXPECT_EQ(sent, expected);
}

} // namespace

namespace {

// GIVEN a key held WHEN its auto-repeat sends a release and a press, when it truly comes up, and
// when the window loses the focus with a key and the mouse down THEN the key's note starts once
// and ends once, each time, and the mouse's plays on.
TEST(Performance, AutoRepeatNeverRestartsANoteAndLosingTheFocusEndsThem) {
    struct Case {
        const char* what;
        std::function<void(keyboard::Performance&)> act;
        std::vector<std::pair<Kind, int>> sent;
    } const cases[] = {
        {"repeated",
         [](auto& p) {
             for (int i = 0; i < 3; ++i) {
                 p.keyUpUnlessRepeated(52);
                 p.keyDown(52, 0);
                 p.settle();
             }
         },
         {}},
        {"released", [](auto& p) { p.keyUpUnlessRepeated(52), p.settle(); }, {{Kind::Off, 60}}},
        {"focus lost",
         [](auto& p) { p.mouseAt(64), p.keyUpUnlessRepeated(52), p.releaseKeys(), p.settle(); },
         {{Kind::On, 64}, {Kind::Off, 60}}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<Kind, int>> sent;
        keyboard::Performance play(
            [&sent](const NoteEvent& e) { sent.emplace_back(e.kind, e.note); });
        play.keyDown(52, 0);
        sent.clear();
        c.act(play);
        EXPECT_EQ(sent, c.sent) << c.what;
    }
}

} // namespace

namespace {

// GIVEN a tune WHEN its sender is woken now and then, and the sound has room for only so many
// notes THEN each note is sent half a second ahead of its time, offered again when refused,
// shown once its time has come, and the tune ends a moment after its last note.
TEST(TuneFeed, SendsNotesAheadAgainWhenRefusedAndShowsThemInTime) {
    audio::MidiScore score;
    for (const double at : {0.0, 0.3, 0.9, 1.0}) {
        score.events.push_back({at, {Kind::On, std::uint8_t(60 + at * 10), 100}});
    }
    std::vector<double> sent;
    std::vector<int> shown;
    std::size_t room = 1;
    keyboard::TuneFeed feed(score, {[&](const audio::TimedNote& note) {
                                        if (room == 0) {
                                            return false;
                                        }
                                        --room;
                                        sent.push_back(note.seconds);
                                        return true;
                                    },
                                    [&](const NoteEvent& event) { shown.push_back(event.note); }});
    const struct Step {
        double at;
        std::size_t room;
        std::vector<double> sent;
        std::vector<int> shown;
        bool going;
    } steps[] = {
        {0.0, 1, {0.0}, {60}, true},
        {0.1, 5, {0.0, 0.3}, {60}, true},
        {0.6, 5, {0.0, 0.3, 0.9, 1.0}, {60, 63}, true},
        {1.1, 5, {0.0, 0.3, 0.9, 1.0}, {60, 63, 69, 70}, true},
        {1.3, 5, {0.0, 0.3, 0.9, 1.0}, {60, 63, 69, 70}, false},
    };
    for (const Step& step : steps) {
        room = step.room;
        EXPECT_EQ(feed.advance(step.at), step.going) << step.at;
        EXPECT_EQ(sent, step.sent) << step.at;
        EXPECT_EQ(shown, step.shown) << step.at;
    }
}

} // namespace
