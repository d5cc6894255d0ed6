#pragma once

#include <array>
#include <bitset>
#include <optional>

namespace keyboard {

// MIDI note numbers: 60 is middle C, 69 the A at 440 Hz.
using Notes = std::bitset<128>;

// A piano's keys from a C over whole octaves, laid out in a rectangle: white keys side by side,
// black keys two thirds as high over the gaps between them. Positions in the rectangle's own
// units, from its top left.
struct PianoLayout {
    int lowest = 48; // a C
    int octaves = 2; // and the C above them
    double width = 1.0;
    double height = 1.0;

    [[nodiscard]] int whiteKeys() const { return octaves * 7 + 1; }
    [[nodiscard]] int highest() const { return lowest + octaves * 12; }
    // A key's rectangle: x, y, width, height.
    [[nodiscard]] std::array<double, 4> keyRect(int note) const;
    // The key under a point, black keys first as they lie on top; nothing outside.
    [[nodiscard]] std::optional<int> noteAt(double x, double y) const;
};

[[nodiscard]] bool isBlack(int note);

// The computer's keys as soft synthesizers lay them out, by their place on the keyboard rather
// than their letter, so any layout plays alike: the bottom letter row (Z X C V B N M , . /) the
// white keys of one octave from C with the home row (S D, G H J, L ;) their black keys; the row
// above (Q W E R T Y U I O P) the white keys of the next with the digits (2 3, 5 6 7, 9 0) its
// black keys. Given X11's key codes (evdev codes plus 8), the semitones above the octave's C;
// where no code is known, by the character those places bear on an English keyboard.
[[nodiscard]] std::optional<int> semitoneOfKeyCode(unsigned keyCode);
[[nodiscard]] std::optional<int> semitoneOfCharacter(char character);

// The octave the computer's keys play from, as a C: shifted by whole octaves, from C1, whose C is
// the lowest that is heard as a pitch, to C7, whose every key is still in MIDI's range.
class Octave {
public:
    static constexpr int lowest = 24;
    static constexpr int highest = 96;
    [[nodiscard]] int base() const { return base_; }
    // False where the octave is already at that end.
    bool shift(int octaves);
    // The note a key plays now; nothing past MIDI's range.
    [[nodiscard]] std::optional<int> noteOf(int semitone) const;

private:
    int base_ = 60;
};

} // namespace keyboard
