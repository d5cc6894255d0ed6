#pragma once

#include "Slots.h"

#include <cstdint>
#include <span>
#include <string>

namespace editor {

struct Assignment {
    std::size_t box;
    std::int16_t value;
};

inline constexpr std::array<Assignment, 1> muteRow{{{0, 0}}};
inline constexpr std::array<Assignment, 6> squareRow{
    {{0, 100}, {2, 30}, {4, 14}, {6, 7}, {8, 3}, {10, 1}}};
inline constexpr std::array<Assignment, 10> sawRightRow{
    {{0, -77}, {1, -37}, {2, -24}, {3, -17}, {4, -9}, {5, -6}, {6, -1}, {7, -1}, {8, -1}, {9, -1}}};
inline constexpr std::array<Assignment, 10> sawLeftRow{
    {{0, 77}, {1, 37}, {2, 24}, {3, 17}, {4, 9}, {5, 6}, {6, 1}, {7, 1}, {8, 1}, {9, 1}}};
inline constexpr std::array<Assignment, 1> sinRow{{{0, 100}}};
inline constexpr std::array<Assignment, 3> triangleRow{{{0, 100}, {4, 6}, {8, 2}}};

// Indexed like the preset buttons: MUTE, SQUARE, SAW RIGHT, SAW LEFT, SIN, TRIANGLE. Each
// row lists its assignments in the order they are made after every box has been cleared.
inline constexpr std::array<std::span<const Assignment>, 6> presetRows{
    muteRow, squareRow, sawRightRow, sawLeftRow, sinRow, triangleRow};

// Loads a preset by writing box texts only; the sliders follow through the bank.
class Presets {
public:
    explicit Presets(const Boxes& boxes);

    // An index with no row clears the boxes and loads nothing.
    void buttonClicked(int index);

    // Writes the texts into the boxes in order, and "0" into the boxes beyond them. A box whose
    // text is already the one given is left alone, so loading what the boxes hold changes nothing.
    void load(std::span<const std::string> texts);
    // Brings back texts the boxes once settled on, fractions included: each box is first given
    // the whole number its slider stood at, so the exact text then stays as it was.
    void restore(std::span<const std::string> texts);

private:
    Boxes boxes_;
};

} // namespace editor
