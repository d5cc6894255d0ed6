#include "keyboard/Performance.h"

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
    play.shiftOctave(-20);
    EXPECT_EQ(play.octave().base(), 0);
    play.stop();
    EXPECT_TRUE(play.held().none());
    const std::vector<std::pair<Kind, int>> expected{
        {Kind::On, 60}, {Kind::On, 84},  {Kind::Off, 60},    {Kind::On, 69},  {Kind::Off, 69},
        {Kind::On, 71}, {Kind::Off, 71}, {Kind::Sustain, 0}, {Kind::Bend, 0}, {Kind::AllOff, 0}};
    EXPECT_EQ(sent, expected);
}

} // namespace
