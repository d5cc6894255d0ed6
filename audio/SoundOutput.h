#pragma once

#include "NoteQueue.h"
#include "SoundSnapshot.h"
#include "forms/Event.h"

#include <functional>
#include <span>
#include <string>

namespace audio {

// Samples from the default input as they come, mono at 48 kHz, and word when the input has
// gone; both on a thread of the sound system's.
struct Listener {
    std::function<void(std::span<const float>)> heard;
    std::function<void()> lost;
};

// Where the window's sound goes. Nothing here ever waits on the audio device.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    // Empty while sound can be played, or before anything has been tried; otherwise a short
    // reason to show the user.
    [[nodiscard]] virtual std::string unavailableReason() const = 0;
    // A server has answered since the sound was first switched on.
    [[nodiscard]] virtual bool answered() const { return unavailableReason().empty(); }
    // The newest state of the sound; cheap enough to call on every change.
    virtual void publish(const SoundSnapshot& snapshot) = 0;
    // Whether there is an input to listen to, as far as is known.
    [[nodiscard]] virtual bool hasInput() const { return false; }
    // Listens until given a listener with nothing to hear, or until the input goes.
    virtual void listen(const Listener& /*listener*/) {}
    // A note for the voices, which sound while the snapshot says notes are played.
    virtual void play(const NoteEvent& /*event*/) {}
    // A tune's notes, sent ahead of their time to sound at their own sample, counted from when
    // the sound first sees the tune started; starting one ends any before it, and stopping drops
    // what has not sounded. False while there is no room for the note: send it again later.
    virtual void startTune() {}
    virtual bool sendTune(const TimedNote& /*note*/) { return false; }
    virtual void stopTune() {}
    // Opens the MIDI port, if it is not open; false where no PipeWire answers. What comes in is
    // told on the thread that made the output.
    virtual bool openMidi(const std::function<void(const NoteEvent&)>& /*heard*/) { return false; }
    virtual void closeMidi() {}

    // Told, on the thread that made the output, when availability changes (a device is found,
    // or fails while playing).
    void onAvailabilityChanged(std::function<void()> handler) {
        availabilityChanged_.setHandler(std::move(handler));
    }

protected:
    void raiseAvailabilityChanged() const { availabilityChanged_.raise(); }

private:
    forms::Event availabilityChanged_;
};

} // namespace audio
