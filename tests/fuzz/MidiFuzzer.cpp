// Bytes read as a MIDI file: nothing crashes or hangs, and what comes out is a reason, or events
// in time order, each a note and velocity MIDI can carry, at a finite time from the start.
#include "audio/MidiFile.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const audio::MidiScore score = audio::readMidi(std::span(data, size));
    double last = 0.0;
    for (const auto& [seconds, event] : score.events) {
        if (!std::isfinite(seconds) || seconds < last || event.note > 127 ||
            !std::isfinite(event.value)) {
            std::abort();
        }
        last = seconds;
    }
    if ((score.problem == audio::MidiScore::Problem::None) == score.events.empty()) {
        std::abort();
    }
    return 0;
}
