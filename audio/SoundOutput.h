#pragma once

#include "SoundSnapshot.h"
#include "forms/Event.h"

#include <string>

namespace audio {

// Where the window's sound goes. Nothing here ever waits on the audio device.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    // Empty while sound can be played; otherwise a short reason to show the user.
    [[nodiscard]] virtual std::string unavailableReason() const = 0;
    // The newest state of the sound; cheap enough to call on every change.
    virtual void publish(const SoundSnapshot& snapshot) = 0;

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
