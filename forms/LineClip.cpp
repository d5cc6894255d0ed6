#include "LineClip.h"

#include <cmath>

namespace forms {
namespace {

enum Outside : unsigned { Left = 1, Right = 2, Above = 4, Below = 8 };

struct Point {
    double x;
    double y;
};

unsigned outsideOf(Point p, const Bounds& b) {
    unsigned code = 0;
    if (p.x < b.left) {
        code |= Left;
    } else if (p.x > b.right) {
        code |= Right;
    }
    if (p.y < b.top) {
        code |= Above;
    } else if (p.y > b.bottom) {
        code |= Below;
    }
    return code;
}

// Moves p onto the edge it lies beyond, along the line towards q. The coordinate of that edge
// is set exactly, so a far-off end cannot smear the other coordinate's precision.
Point ontoEdge(Point p, Point q, unsigned code, const Bounds& b) {
    if ((code & (Above | Below)) != 0) {
        const double edge = (code & Above) != 0 ? b.top : b.bottom;
        return {p.x + (q.x - p.x) * ((edge - p.y) / (q.y - p.y)), edge};
    }
    const double edge = (code & Left) != 0 ? b.left : b.right;
    return {edge, p.y + (q.y - p.y) * ((edge - p.x) / (q.x - p.x))};
}

bool isFinite(PointF p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

} // namespace

// Cohen-Sutherland, in double precision.
std::optional<Segment> clipSegment(Segment segment, Bounds bounds) {
    if (!isFinite(segment.from) || !isFinite(segment.to)) {
        return std::nullopt;
    }
    Point a{segment.from.x, segment.from.y};
    Point b{segment.to.x, segment.to.y};
    unsigned codeA = outsideOf(a, bounds);
    unsigned codeB = outsideOf(b, bounds);
    bool movedA = false;
    bool movedB = false;
    while ((codeA | codeB) != 0) {
        if ((codeA & codeB) != 0) {
            return std::nullopt;
        }
        if (codeA != 0) {
            a = ontoEdge(a, b, codeA, bounds);
            codeA = outsideOf(a, bounds);
            movedA = true;
        } else {
            b = ontoEdge(b, a, codeB, bounds);
            codeB = outsideOf(b, bounds);
            movedB = true;
        }
    }
    // Unclipped ends are handed on exactly as given.
    return Segment{movedA ? PointF{static_cast<float>(a.x), static_cast<float>(a.y)} : segment.from,
                   movedB ? PointF{static_cast<float>(b.x), static_cast<float>(b.y)} : segment.to};
}

} // namespace forms
