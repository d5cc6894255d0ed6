#pragma once

#include "Display.h"

#include <optional>

namespace forms {

struct Segment {
    PointF from;
    PointF to;
};

struct Bounds {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

// The part of a segment inside the bounds, or nothing when none of it is (or a coordinate is
// not a number). Rasterisers get only coordinates near the surface this way, however far off
// the caller's points were.
std::optional<Segment> clipSegment(Segment segment, Bounds bounds);

} // namespace forms
