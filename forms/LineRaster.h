#pragma once

#include "forms/LineClip.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

namespace forms {

// The pixels of an aliased one-pixel line on a width x height surface, handed to plot(x, y)
// one by one. As a toolkit's cosmetic pen with flat caps draws them: along the longer axis the
// pixels whose centres lie in [start, end), across it the floor of the interpolated
// coordinate; whatever falls off the surface is clipped away.
template <class Plot> void rasteriseLine(Segment segment, int width, int height, Plot&& plot) {
    const auto inside = [&](PointF p) {
        return p.x >= 0.0F && p.y >= 0.0F && double(p.x) <= double(width) &&
               double(p.y) <= double(height);
    };
    // Most lines lie on the surface already and need no clipping.
    if (!inside(segment.from) || !inside(segment.to)) {
        const auto clipped = clipSegment(segment, {0.0, 0.0, double(width), double(height)});
        if (!clipped) {
            return;
        }
        segment = *clipped;
    }
    double x0 = segment.from.x;
    double y0 = segment.from.y;
    double x1 = segment.to.x;
    double y1 = segment.to.y;
    const bool alongX = std::fabs(x1 - x0) >= std::fabs(y1 - y0);
    if (!alongX) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x1 < x0) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const double slope = x1 > x0 ? (y1 - y0) / (x1 - x0) : 0.0;
    const int alongLimit = alongX ? width : height;
    const int acrossLimit = alongX ? height : width;
    // Both coordinates are on the surface now, so truncation is the floor; only a rounding
    // error can take one a hair below zero.
    for (double centre = std::ceil(x0 - 0.5) + 0.5; centre < x1; centre += 1.0) {
        const double across = y0 + (centre - x0) * slope;
        const auto along = static_cast<int>(centre);
        const auto acrossPixel = static_cast<int>(across);
        if (across >= 0.0 && along < alongLimit && acrossPixel < acrossLimit) {
            if (alongX) {
                plot(along, acrossPixel);
            } else {
                plot(acrossPixel, along);
            }
        }
    }
}

// The pixels of a curve with one point a column, as vertical runs: column x gets the rows from
// its point's to the next point's, or just its own where the next is missing or off the
// surface's last column. Cheap enough to draw many curves in every frame.
template <class Plot>
void rasteriseCurve(std::span<const float> ys, int width, int height, Plot&& plot) {
    const auto columns = std::min<std::size_t>(ys.size(), static_cast<std::size_t>(width));
    for (std::size_t x = 0; x < columns; ++x) {
        const float here = ys[x];
        const float next = x + 1 < ys.size() && std::isfinite(ys[x + 1]) ? ys[x + 1] : here;
        const float low = std::min(here, next);
        const float high = std::max(here, next);
        // Also passes over a NaN here, which fails every comparison.
        if (!(high >= 0.0F && low < static_cast<float>(height))) {
            continue;
        }
        const int top = low <= 0.0F ? 0 : static_cast<int>(low);
        const int bottom = high >= static_cast<float>(height) ? height - 1 : static_cast<int>(high);
        for (int y = top; y <= bottom; ++y) {
            plot(static_cast<int>(x), y);
        }
    }
}

} // namespace forms
