#include "audio/SnapshotExchange.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <thread>

namespace {

// The reader always sees one whole snapshot, never parts of two, and never an older one after
// a newer; in the end it sees the last, and keeps it.
TEST(SnapshotExchange, HandsOverWholeSnapshotsInOrderBetweenThreads) {
    audio::SnapshotExchange<std::array<int, 17>> exchange;
    const std::jthread writer([&exchange] {
        for (int i = 1; i <= 200000; ++i) {
            std::array<int, 17> snapshot{};
            snapshot.fill(i);
            exchange.write(snapshot);
        }
    });
    for (int last = 0; last < 200000;) {
        const auto& seen = exchange.read();
        ASSERT_EQ(std::ranges::count(seen, seen[0]), 17) << "torn";
        ASSERT_GE(seen[0], last) << "older after newer";
        last = seen[0];
    }
    EXPECT_EQ(exchange.read()[0], 200000) << "the newest stays";
}

} // namespace
