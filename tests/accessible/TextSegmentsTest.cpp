// A line of text as a screen reader walks it: every boundary at every offset, and past both ends.
#include "accessible/TextSegments.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using accessible::Boundary;
using accessible::Segment;

TEST(TextSegments, EveryQuestionAtEveryOffsetIsAnsweredInsideTheTextAndCoversIt) {
    for (const std::u16string text : {u"", u"100", u"-2.5", u"12 ab  c", u"  7", u"a\U0001F600b"}) {
        const int n = int(text.size());
        for (const Boundary boundary : {Boundary::Character, Boundary::Word, Boundary::Line}) {
            for (int offset = -2; offset <= n + 2; ++offset) {
                const Segment at = segmentAt(text, offset, boundary);
                const Segment before = segmentBefore(text, offset, boundary);
                const Segment after = segmentAfter(text, offset, boundary);
                const int inside = std::clamp(offset, 0, n);
                for (const Segment& s : {at, before, after}) {
                    ASSERT_TRUE(0 <= s.start && s.start <= s.end && s.end <= n) << offset;
                }
                // THEN the segment holds the offset (at the end: the last one, or nothing for a
                // character), the one before ends where it starts, the one after starts where it
                // ends
                const bool holds = at.start <= inside && (inside < at.end || inside == n);
                EXPECT_TRUE(holds && (before.end == at.start || before == Segment{0, 0}) &&
                            (after.start == at.end || after == Segment{n, n}))
                    << int(boundary) << " at " << offset << " of a text of " << n;
            }
        }
    }
}

TEST(TextSegments, ANumberIsOneWordAndTheLastWordIsHeardFromTheEnd) {
    const std::u16string text = u"12 -2.5  c";
    // offset, the word there, the one before it, the one after it
    const std::array<std::array<Segment, 3>, 5> table{{{{{0, 3}, {0, 0}, {3, 9}}},
                                                       {{{3, 9}, {0, 3}, {9, 10}}},
                                                       {{{3, 9}, {0, 3}, {9, 10}}},
                                                       {{{9, 10}, {3, 9}, {10, 10}}},
                                                       {{{9, 10}, {3, 9}, {10, 10}}}}};
    for (const auto& [offset, expected] :
         {std::pair{0, table[0]}, {4, table[1]}, {8, table[2]}, {9, table[3]}, {10, table[4]}}) {
        EXPECT_EQ((std::array{segmentAt(text, offset, Boundary::Word),
                              segmentBefore(text, offset, Boundary::Word),
                              segmentAfter(text, offset, Boundary::Word)}),
                  expected)
            << offset;
    }
    EXPECT_EQ(segmentAt(u"100", 3, Boundary::Line), (Segment{0, 3})) << "the whole line, once";
    EXPECT_EQ(segmentAt(u"a\U0001F600b", 1, Boundary::Character), (Segment{1, 3}));
    EXPECT_EQ(segmentBefore(u"a\U0001F600b", 3, Boundary::Character), (Segment{1, 3}));
}

} // namespace
