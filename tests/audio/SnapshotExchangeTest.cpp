#include "audio/SnapshotExchange.h"

#include "audio/SoundSnapshot.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

// The reader always sees one whole snapshot, never parts of two, and never an older one after
// a newer; in the end it sees the last.
TEST(SnapshotExchange, HandsOverWholeSnapshotsInOrderBetweenThreads) {
    audio::SnapshotExchange<audio::SoundSnapshot> exchange;
    constexpr int count = 200000;
    audio::SoundSnapshot start;
    start.pitchHz = 0;
    exchange.write(start);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 1; i <= count; ++i) {
            audio::SoundSnapshot snapshot;
            snapshot.amplitudes.fill(i);
            snapshot.pitchHz = i;
            exchange.write(snapshot);
        }
        done = true;
    });
    double last = 0;
    bool torn = false;
    bool backwards = false;
    while (!done || last < count) {
        const audio::SoundSnapshot& seen = exchange.read();
        for (const double a : seen.amplitudes) {
            torn = torn || a != seen.pitchHz;
        }
        backwards = backwards || seen.pitchHz < last;
        last = seen.pitchHz;
    }
    writer.join();
    EXPECT_FALSE(torn);
    EXPECT_FALSE(backwards);
    EXPECT_EQ(last, count);
}

} // namespace
