#pragma once

#include <array>
#include <atomic>

namespace audio {

// Hands values from one writer thread to one reader thread; neither ever waits for the other.
// A triple buffer: the writer fills its own slot and swaps it with the shared one; the reader
// swaps the shared slot for its own only when something new was put there.
template <class T> class SnapshotExchange {
public:
    void write(const T& value) {
        slots_[writing_] = value;
        const int previous = shared_.exchange(writing_ | freshFlag, std::memory_order_acq_rel);
        writing_ = previous & indexMask;
    }

    // The newest value written, or the one read last time when nothing new has come.
    const T& read() {
        if ((shared_.load(std::memory_order_relaxed) & freshFlag) != 0) {
            const int previous = shared_.exchange(reading_, std::memory_order_acq_rel);
            reading_ = previous & indexMask;
        }
        return slots_[reading_];
    }

private:
    static constexpr int freshFlag = 4;
    static constexpr int indexMask = 3;

    std::array<T, 3> slots_{};
    int writing_ = 0;
    std::atomic<int> shared_{1};
    int reading_ = 2;
};

} // namespace audio
