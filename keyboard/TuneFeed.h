#pragma once

#include "audio/MidiFile.h"

#include <functional>

namespace keyboard {

// A MIDI file on its way to the sound: each note is sent well ahead of its time, to sound at its
// own sample on the sound's clock, so that whatever holds up the sender (a repaint, a dialog, a
// drag) does not move it; and each is shown as it sounds.
class TuneFeed {
public:
    static constexpr double aheadSeconds = 0.5;
    // The tune ends this long after its last note is shown, by when the sound has taken it too.
    static constexpr double tailSeconds = 0.2;

    struct Sinks {
        // False while the sound has no room: the note is offered again later.
        std::function<bool(const audio::TimedNote&)> send;
        std::function<void(const audio::NoteEvent&)> show;
    };

    TuneFeed(audio::MidiScore score, Sinks sinks);

    // At this many seconds since the tune started; false once it has ended.
    bool advance(double seconds);

private:
    audio::MidiScore score_;
    Sinks sinks_;
    std::size_t sent_ = 0;
    std::size_t shown_ = 0;
};

} // namespace keyboard
