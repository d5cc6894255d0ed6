#pragma once

#include "audio/NoteQueue.h"

#include <functional>
#include <memory>

namespace audio {

// An input port named Tonvirta on the desktop's PipeWire graph, linked by us to every MIDI
// source there is and to each that comes later (a keyboard through PipeWire's MIDI bridge, a
// sequencer); a link goes with its source. What comes in goes to the voices' queue on
// PipeWire's real-time thread, and is told (for the keys on screen) through `heard` there too.
class MidiInput {
public:
    // Nothing where no PipeWire answers.
    static std::unique_ptr<MidiInput> open(NoteQueue& queue,
                                           std::function<void(const NoteEvent&)> heard);
    MidiInput(const MidiInput&) = delete;
    MidiInput& operator=(const MidiInput&) = delete;
    ~MidiInput();

    // The sources linked now.
    [[nodiscard]] int sources() const;

    struct State; // PipeWire's objects and our links, kept out of this header

private:
    explicit MidiInput(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

} // namespace audio
