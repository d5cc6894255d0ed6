#pragma once

#include "model/Timbre.h"

#include <array>
#include <cstddef>
#include <string_view>

// The window as designed: geometry in twips as stored, shown in pixels at 15 twips a pixel.
namespace layout {

inline constexpr int twipsPerPixel = 15;

struct Rect {
    int left;
    int top;
    int width;
    int height;

    [[nodiscard]] constexpr Rect inPixels() const {
        return {left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel,
                height / twipsPerPixel};
    }
};

inline constexpr std::string_view formCaption = "Tonvirta";
inline constexpr Rect formClientArea{0, 0, 7935, 7095};

inline constexpr Rect oscilRect{120, 120, 7680, 3840};
inline constexpr int oscilTabIndex = 0;

inline constexpr Rect frame1Rect{120, 4080, 6495, 2895};
inline constexpr std::string_view frame1Caption = "Ekvalaizeriukas";

inline constexpr std::size_t slotCount = model::harmonicCount;
inline constexpr int sliderMinimum = -model::amplitudeLimit;
inline constexpr int sliderMaximum = model::amplitudeLimit;
// Boxes from this index on belong to the frame rather than to the window.
inline constexpr std::size_t firstFramedBox = 11;

constexpr Rect vscroll1Rect(std::size_t i) {
    return {360 + 360 * static_cast<int>(i), 4320, 255, 1935};
}
constexpr int vscroll1TabIndex(std::size_t i) {
    return 19 + static_cast<int>(i);
}

// Absolute within the window's client area.
constexpr Rect harmonikaRect(std::size_t i) {
    return {360 + 360 * static_cast<int>(i), 6360, 255, 285};
}
// Relative to the frame, for the boxes that belong to it.
constexpr Rect harmonikaRectInFrame(std::size_t i) {
    return {4200 + 360 * (static_cast<int>(i) - static_cast<int>(firstFramedBox)), 2280, 255, 285};
}
constexpr int harmonikaTabIndex(std::size_t i) {
    const int index = static_cast<int>(i);
    if (index <= 6) {
        return index + 1;
    }
    if (index <= 10) {
        return index + 2;
    }
    return index + 26;
}

struct ButtonDescription {
    std::string_view caption;
    std::string_view toolTip;
    Rect rect;
    int tabIndex;
};

inline constexpr std::array<ButtonDescription, 6> command1{{
    {"MUTE", "Tyla- jokio signalo.", {6720, 4080, 1095, 255}, 8},
    {"SQUARE", "Meandras- tik lygines harmonikos", {6720, 4440, 1095, 255}, 13},
    {"SAW RIGHT", "", {6720, 4800, 1095, 255}, 14},
    {"SAW LEFT", "", {6720, 5160, 1095, 255}, 15},
    {"SIN", "Svarus signalas- tik viena, pagrindine harmonika", {6720, 5520, 1095, 255}, 16},
    {"TRIANGLE", "Trikampis signalas- kas ketvirta harmonika", {6720, 5880, 1095, 255}, 17},
}};

inline constexpr Rect label2Rect{6840, 6360, 855, 495};
inline constexpr std::string_view label2Caption = "DORVILA";
inline constexpr std::string_view label2FontFamily = "MS Sans Serif";
inline constexpr double label2FontPoints = 8.25;

inline constexpr int timer1IntervalMs = 100;

} // namespace layout
