#include "forms/LineClip.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using forms::clipSegment;
using forms::PointF;
using forms::Segment;

constexpr forms::Bounds box{0.0, 0.0, 512.0, 256.0};

void expectPoint(PointF actual, float x, float y) {
    EXPECT_NEAR(actual.x, x, 1e-3);
    EXPECT_NEAR(actual.y, y, 1e-3);
}

TEST(ClipSegment, KeepsInsideSegmentsExactly) {
    const Segment inside{{1.25F, 2.5F}, {300.125F, 200.0F}};
    const auto clipped = clipSegment(inside, box);
    ASSERT_TRUE(clipped);
    EXPECT_EQ(clipped->from.x, 1.25F);
    EXPECT_EQ(clipped->to.y, 200.0F);
}

TEST(ClipSegment, CutsAtEveryEdge) {
    const auto above = clipSegment({{10, -10}, {10, 10}}, box);
    ASSERT_TRUE(above);
    expectPoint(above->from, 10, 0);
    const auto below = clipSegment({{0, 128}, {20, 296}}, box);
    ASSERT_TRUE(below);
    expectPoint(below->to, 15.238F, 256);
    const auto across = clipSegment({{-100, 128}, {1000, 128}}, box);
    ASSERT_TRUE(across);
    expectPoint(across->from, 0, 128);
    expectPoint(across->to, 512, 128);
}

TEST(ClipSegment, DropsSegmentsOutsideOrNotANumber) {
    EXPECT_FALSE(clipSegment({{-5, -5}, {-1, 300}}, box));
    EXPECT_FALSE(clipSegment({{10, 300}, {500, 260}}, box));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(clipSegment({{nan, 1}, {2, 2}}, box));
    EXPECT_FALSE(clipSegment({{1, 1}, {2, inf}}, box));
}

TEST(ClipSegment, BringsFarOffCoordinatesNearTheSurface) {
    const float far = std::numeric_limits<float>::max();
    const auto clipped = clipSegment({{256, -far}, {256, far}}, box);
    ASSERT_TRUE(clipped);
    expectPoint(clipped->from, 256, 0);
    expectPoint(clipped->to, 256, 256);
}

} // namespace
