#pragma once

#include "NoteQueue.h"

#include <cstdint>
#include <span>
#include <vector>

namespace audio {

// A standard MIDI file (format 0 or 1, any number of tracks and channels, tempo changes) as the
// voices play it: note on and off, the sustain pedal, pitch bend and all notes off, each at its
// time in seconds from the start, in order. What it cannot read it names in `problem`.
struct MidiScore {
    enum class Problem { None, NotMidi, Unplayable, Broken, NoNotes };
    std::vector<TimedNote> events;
    Problem problem = Problem::None;
};

MidiScore readMidi(std::span<const std::uint8_t> bytes);

// One MIDI message as the voices take it; nothing for what they do not play. A note on at
// velocity 0 is a note off, as MIDI has it.
bool noteEventOf(std::span<const std::uint8_t> message, NoteEvent& event);

} // namespace audio
