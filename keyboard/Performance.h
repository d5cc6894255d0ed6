#pragma once

#include "Piano.h"
#include "audio/NoteQueue.h"

#include <functional>
#include <map>
#include <optional>

namespace keyboard {

// What is played while Play is on, from the computer's keys, the mouse on the keys on screen
// and MIDI, as the notes the voices take and the keys shown held. A key held down plays its
// note until it comes up, whatever the octave has become meanwhile; the mouse plays one note,
// gliding from key to key. Notes from MIDI sound by themselves and are only shown here.
class Performance {
public:
    using Sink = std::function<void(const audio::NoteEvent&)>;
    static constexpr float keyVelocity = 100.0F;

    explicit Performance(Sink sink) : sink_(std::move(sink)) {}

    // A computer key's place (a semitone above the octave's C) went down or up.
    void keyDown(int place, int semitone);
    void keyUp(int place);
    void shiftOctave(int octaves) { octave_.shift(octaves); }
    [[nodiscard]] const Octave& octave() const { return octave_; }

    // The mouse went down on a key, moved onto another (or off every key), or came up.
    void mouseAt(std::optional<int> note);
    void mouseUp() { mouseAt(std::nullopt); }

    // Heard from MIDI or a file: shown, not sent again.
    void heard(const audio::NoteEvent& event);

    // Everything released and silenced.
    void stop();

    // The keys shown held.
    [[nodiscard]] Notes held() const;

private:
    void on(int note);
    void off(int note);

    Sink sink_;
    Octave octave_;
    std::map<int, int> keys_; // place -> note it plays
    std::optional<int> mouse_;
    Notes fromOutside_;
};

} // namespace keyboard
