#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace forms {

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend constexpr bool operator==(Color, Color) = default;
};

inline constexpr Color black{0, 0, 0};
inline constexpr Color yellow{255, 255, 0};
inline constexpr Color green{0, 255, 0};

struct PointF {
    float x = 0.0F;
    float y = 0.0F;
};

// A drawing surface in pixels, origin at the top-left corner, y growing downward.
class Display {
public:
    virtual ~Display() = default;

    // Fills the surface with its background colour.
    virtual void cls() = 0;
    // A one-pixel aliased line, clipped to the surface.
    virtual void line(PointF from, PointF to, Color color) = 0;
    // A thin curve through (x, ys[x]) for x = 0, 1, ...: in each column the pixels between its
    // point and the next, clipped to the surface. A NaN leaves a gap.
    virtual void curve(std::span<const float> ys, Color color) = 0;
    // A line of text shown in the top left corner over the picture; empty for none.
    virtual void caption(std::string_view text) = 0;
};

} // namespace forms
