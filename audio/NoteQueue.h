#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace audio {

// What a keyboard, a MIDI port or a MIDI file asks of the voices.
struct NoteEvent {
    enum class Kind : std::uint8_t {
        On,      // note, velocity 1..127 in value
        Off,     // note
        Sustain, // value 1 while the pedal is down, 0 when it comes up
        Bend,    // value in semitones, -2..2
        AllOff,  // every note released; value 1 cuts them short instead
    };
    Kind kind = Kind::Off;
    std::uint8_t note = 0;
    float value = 0.0F;
};

// A key's or a MIDI port's note with the moment it came, in nanoseconds on the monotonic clock,
// which the sound server's link and PipeWire's graph read too.
struct StampedNote {
    std::int64_t ns = 0;
    NoteEvent event;
};

// Now, as a note is stamped: libstdc++'s steady clock is the monotonic one.
inline std::int64_t monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A note at its time in seconds from the start of a tune.
struct TimedNote {
    double seconds = 0.0;
    NoteEvent event;
};

// A tune's note on its way to the sound, marked with the tune it belongs to.
struct TuneNote {
    TimedNote note;
    std::uint32_t tune = 0;
};

// Hands events from one writer thread to one reader thread in order; neither ever waits. An
// event that finds the queue full is refused, which a writer reports rather than loses quietly.
template <class Event> class EventQueue {
public:
    static constexpr std::size_t capacity = 1024;

    bool push(const Event& event) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) == capacity) {
            return false;
        }
        events_[tail % capacity] = event;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    // The oldest event, left in the queue; only the reader may look.
    [[nodiscard]] const Event* front() const {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        return head == tail_.load(std::memory_order_acquire) ? nullptr : &events_[head % capacity];
    }

    bool pop(Event& event) {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire)) {
            return false;
        }
        event = events_[head % capacity];
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

private:
    std::array<Event, capacity> events_{};
    std::atomic<std::size_t> head_{0};
    std::atomic<std::size_t> tail_{0};
};

using NoteQueue = EventQueue<StampedNote>;

// The voices' inboxes: the window's keys, the MIDI port, each on its own thread, and a tune's
// notes, sent ahead of their time. `wantedTune` names the tune wanted, 0 for none: a tune's clock
// starts when the sound first sees it wanted, and the notes of any other are dropped unheard, so
// a tune stops at once however much of it is on its way.
struct NoteInbox {
    NoteQueue window;
    NoteQueue midi;
    EventQueue<TuneNote> tune;
    std::atomic<std::uint32_t> wantedTune{0};
};

} // namespace audio
