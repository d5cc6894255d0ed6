#include "Stroke.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace largeview {
namespace {

// The colour over the pixel, by coverage out of 256.
std::uint32_t blend(std::uint32_t pixel, std::uint32_t rgb, std::uint32_t coverage) {
    std::uint32_t out = 0xff000000U;
    for (const int shift : {0, 8, 16}) {
        const std::uint32_t under = (pixel >> shift) & 0xffU;
        const std::uint32_t over = (rgb >> shift) & 0xffU;
        out |= ((over * coverage + under * (256U - coverage)) >> 8U) << shift;
    }
    return out;
}

void fillColumn(const Canvas& canvas, int column, double top, double bottom, std::uint32_t rgb) {
    top = std::max(top, 0.0);
    bottom = std::min(bottom, double(canvas.height));
    if (!(bottom > top)) {
        return;
    }
    const int first = int(top);
    const int last = std::min(int(std::ceil(bottom)), canvas.height) - 1;
    std::uint32_t* const pixels = canvas.pixels + column;
    const auto at = [&](int row) -> std::uint32_t& {
        return pixels[std::ptrdiff_t(row) * canvas.stride];
    };
    if (first == last) {
        at(first) = blend(at(first), rgb, std::uint32_t((bottom - top) * 256.0));
        return;
    }
    at(first) = blend(at(first), rgb, std::uint32_t((first + 1 - top) * 256.0));
    for (int row = first + 1; row < last; ++row) {
        at(row) = rgb | 0xff000000U;
    }
    at(last) = blend(at(last), rgb, std::uint32_t((bottom - last) * 256.0));
}

} // namespace

void strokeGraph(const Canvas& canvas, std::span<const double> heights, double thickness,
                 std::uint32_t rgb) {
    const int columns = std::min(canvas.width, int(heights.size()));
    const double half = thickness / 2.0;
    // Each column's own stretch of the curve: from halfway to its left neighbour to halfway to
    // its right one, so that a steep stretch is drawn whole.
    std::vector<double> low(std::size_t(std::max(columns, 0)));
    std::vector<double> high(low.size());
    for (int i = 0; i < columns; ++i) {
        const double left = i > 0 ? (heights[i - 1] + heights[i]) / 2.0 : heights[i];
        const double right = i + 1 < columns ? (heights[i] + heights[i + 1]) / 2.0 : heights[i];
        low[i] = std::min({left, heights[i], right});
        high[i] = std::max({left, heights[i], right});
    }
    // The pen's half height d columns from its centre.
    const int reach = int(half);
    std::vector<double> halfHeight(std::size_t(reach) + 1);
    for (int d = 0; d <= reach; ++d) {
        halfHeight[d] = std::sqrt(half * half - double(d) * double(d));
    }
    for (int c = 0; c < columns; ++c) {
        double top = low[c] - half;
        double bottom = high[c] + half;
        for (int d = 1; d <= reach; ++d) {
            if (c >= d) {
                top = std::min(top, low[c - d] - halfHeight[d]);
                bottom = std::max(bottom, high[c - d] + halfHeight[d]);
            }
            if (c + d < columns) {
                top = std::min(top, low[c + d] - halfHeight[d]);
                bottom = std::max(bottom, high[c + d] + halfHeight[d]);
            }
        }
        if (std::isfinite(top) && std::isfinite(bottom)) {
            fillColumn(canvas, c, top, bottom, rgb);
        }
    }
}

} // namespace largeview
