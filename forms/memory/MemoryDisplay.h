#pragma once

#include "forms/Display.h"
#include "forms/LineClip.h"

#include <string>
#include <vector>

namespace forms {

// A picture box without a window: it rasterises into its own pixels, as the real one does,
// and also keeps the lines drawn since the last clear with their exact coordinates.
class MemoryDisplay final : public Display {
public:
    struct Stroke {
        Segment segment;
        Color color;
    };

    MemoryDisplay(int width, int height, Color background);

    void cls() override;
    void line(PointF from, PointF to, Color color) override;
    void curve(std::span<const float> ys, Color color) override;
    void caption(std::string_view text) override { caption_ = text; }

    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    [[nodiscard]] Color pixel(int x, int y) const;
    [[nodiscard]] const std::vector<Stroke>& strokes() const { return strokes_; }
    [[nodiscard]] int clears() const { return clears_; }
    [[nodiscard]] const std::string& captionText() const { return caption_; }

private:
    int width_;
    int height_;
    Color background_;
    std::vector<Color> pixels_;
    std::vector<Stroke> strokes_;
    int clears_ = 0;
    std::string caption_;
};

} // namespace forms
