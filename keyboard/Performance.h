#pragma once

#include "Piano.h"
#include "audio/NoteQueue.h"

#include <functional>
#include <map>
#include <optional>
#include <set>

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
    // A key came up, unless it goes down again before settle(): a held key's auto-repeat arrives
    // as a release and a press at once, and must not start its note again.
    void keyUpUnlessRepeated(int place) { rising_.insert(place); }
    void settle();
    // The keys' window lost the focus, which will not see them come up: every computer key is
    // let go (the mouse's note is the keys on screen's to end).
    void releaseKeys();
    // False at the lowest or highest octave.
    bool shiftOctave(int octaves) { return octave_.shift(octaves); }
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
    std::set<int> rising_;    // places whose release waits for settle()
    std::optional<int> mouse_;
    Notes fromOutside_;
};

} // namespace keyboard
