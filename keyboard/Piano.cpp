#include "Piano.h"

#include <algorithm>

namespace keyboard {
namespace {

// Within an octave from C: which white key each note is on, or stands after (a black key).
constexpr std::array<int, 12> whiteIndex{0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
constexpr double blackWidth = 0.6;   // of a white key's
constexpr double blackHeight = 0.62; // of the keyboard's

// Place on the keyboard (X11 key code, and the character there on an English keyboard) and
// semitone, for both rows.
struct Place {
    unsigned code;
    char character;
    int semitone;
};
constexpr std::array<Place, 34> places{{
    {52, 'Z', 0},  {39, 'S', 1},  {53, 'X', 2},  {40, 'D', 3},  {54, 'C', 4},  {55, 'V', 5},
    {42, 'G', 6},  {56, 'B', 7},  {43, 'H', 8},  {57, 'N', 9},  {44, 'J', 10}, {58, 'M', 11},
    {59, ',', 12}, {46, 'L', 13}, {60, '.', 14}, {47, ';', 15}, {61, '/', 16}, {24, 'Q', 12},
    {11, '2', 13}, {25, 'W', 14}, {12, '3', 15}, {26, 'E', 16}, {27, 'R', 17}, {14, '5', 18},
    {28, 'T', 19}, {15, '6', 20}, {29, 'Y', 21}, {16, '7', 22}, {30, 'U', 23}, {31, 'I', 24},
    {18, '9', 25}, {32, 'O', 26}, {19, '0', 27}, {33, 'P', 28},
}};

template <class Matches> std::optional<int> semitoneWhere(Matches matches) {
    const auto found = std::find_if(places.begin(), places.end(), matches);
    return found == places.end() ? std::nullopt : std::optional<int>(found->semitone);
}

} // namespace

bool isBlack(int note) {
    const int n = ((note % 12) + 12) % 12;
    return n == 1 || n == 3 || n == 6 || n == 8 || n == 10;
}

std::array<double, 4> PianoLayout::keyRect(int note) const {
    const double white = width / whiteKeys();
    const int offset = note - lowest;
    const int octave = offset >= 0 ? offset / 12 : (offset - 11) / 12;
    const int within = offset - octave * 12;
    const double left = (octave * 7 + whiteIndex[std::size_t(within)]) * white;
    if (isBlack(note)) {
        return {left + white * (1.0 - blackWidth / 2.0), 0.0, white * blackWidth,
                height * blackHeight};
    }
    return {left, 0.0, white, height};
}

std::optional<int> PianoLayout::noteAt(double x, double y) const {
    if (x < 0.0 || y < 0.0 || x >= width || y >= height) {
        return std::nullopt;
    }
    const auto inside = [&](int note) {
        const auto r = keyRect(note);
        return x >= r[0] && x < r[0] + r[2] && y >= r[1] && y < r[1] + r[3];
    };
    for (int note = lowest; note <= highest(); ++note) {
        if (isBlack(note) && inside(note)) {
            return note;
        }
    }
    for (int note = lowest; note <= highest(); ++note) {
        if (!isBlack(note) && inside(note)) {
            return note;
        }
    }
    return std::nullopt;
}

std::optional<int> semitoneOfKeyCode(unsigned keyCode) {
    return semitoneWhere([keyCode](const Place& p) { return p.code == keyCode; });
}

std::optional<int> semitoneOfCharacter(char character) {
    const char upper =
        character >= 'a' && character <= 'z' ? char(character - 'a' + 'A') : character;
    return semitoneWhere([upper](const Place& p) { return p.character == upper; });
}

bool Octave::shift(int octaves) {
    const int before = base_;
    base_ = std::clamp(base_ + 12 * octaves, lowest, highest);
    return base_ != before;
}

std::optional<int> Octave::noteOf(int semitone) const {
    const int note = base_ + semitone;
    return note >= 0 && note < 128 ? std::optional<int>(note) : std::nullopt;
}

} // namespace keyboard
