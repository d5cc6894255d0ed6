#include "audio/SnapshotExchange.h"

#include "audio/SoundSnapshot.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <thread>

namespace {

// The reader always sees one whole snapshot, never parts of two, and never an older one after
// a newer; in the end it sees the last.
TEST(SnapshotExchange, HandsOverWholeSnapshotsInOrderBetweenThreads) {
    audio::SnapshotExchange<audio::SoundSnapshot> exchange;
    constexpr int count = 200000;
    exchange.write({{}, 0.0});
    const std::jthread writer([&exchange] {
        for (int i = 1; i <= count; ++i) {
            audio::SoundSnapshot snapshot{{}, double(i)};
            snapshot.amplitudes.fill(i);
            exchange.write(snapshot);
        }
    });
    for (double last = 0; last < count;) {
        const audio::SoundSnapshot& seen = exchange.read();
        ASSERT_EQ(std::ranges::count(seen.amplitudes, seen.pitchHz), 17) << "torn";
        ASSERT_GE(seen.pitchHz, last) << "older after newer";
        last = seen.pitchHz;
    }
}

} // namespace
