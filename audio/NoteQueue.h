#pragma once

#include <array>
#include <atomic>
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

// Hands events from one writer thread to one reader thread in order; neither ever waits. An
// event that finds the queue full is refused, which a writer reports rather than loses quietly.
class NoteQueue {
public:
    static constexpr std::size_t capacity = 1024;

    bool push(const NoteEvent& event) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) == capacity) {
            return false;
        }
        events_[tail % capacity] = event;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    bool pop(NoteEvent& event) {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire)) {
            return false;
        }
        event = events_[head % capacity];
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

private:
    std::array<NoteEvent, capacity> events_{};
    std::atomic<std::size_t> head_{0};
    std::atomic<std::size_t> tail_{0};
};

// The voices' two inboxes: the window's keys and file, and the MIDI port, each on its own thread.
struct NoteInbox {
    NoteQueue window;
    NoteQueue midi;
};

} // namespace audio
