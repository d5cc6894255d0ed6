#include "Performance.h"

#include <utility>

namespace keyboard {

using audio::NoteEvent;

void Performance::on(int note) {
    sink_({NoteEvent::Kind::On, std::uint8_t(note), keyVelocity});
}

void Performance::off(int note) {
    sink_({NoteEvent::Kind::Off, std::uint8_t(note), 0.0F});
}

void Performance::keyDown(int place, int semitone) {
    rising_.erase(place);
    if (keys_.count(place) != 0) {
        return; // held: a repeat
    }
    if (const auto note = octave_.noteOf(semitone)) {
        keys_[place] = *note;
        on(*note);
    }
}

void Performance::keyUp(int place) {
    const auto found = keys_.find(place);
    if (found != keys_.end()) {
        off(found->second);
        keys_.erase(found);
    }
}

void Performance::settle() {
    for (const int place : std::exchange(rising_, {})) {
        keyUp(place);
    }
}

void Performance::releaseKeys() {
    rising_.clear();
    for (const auto& [place, note] : std::exchange(keys_, {})) {
        off(note);
    }
}

void Performance::mouseAt(std::optional<int> note) {
    if (note == mouse_) {
        return;
    }
    if (mouse_) {
        off(*mouse_);
    }
    mouse_ = note;
    if (mouse_) {
        on(*mouse_);
    }
}

void Performance::heard(const NoteEvent& event) {
    switch (event.kind) {
    case NoteEvent::Kind::On:
        fromOutside_.set(event.note & 0x7FU, event.value > 0.0F);
        break;
    case NoteEvent::Kind::Off:
        fromOutside_.reset(event.note & 0x7FU);
        break;
    case NoteEvent::Kind::AllOff:
        fromOutside_.reset();
        break;
    default:
        break;
    }
}

void Performance::stop() {
    keys_.clear();
    rising_.clear();
    mouse_.reset();
    fromOutside_.reset();
    sink_({NoteEvent::Kind::Sustain, 0, 0.0F});
    sink_({NoteEvent::Kind::Bend, 0, 0.0F});
    sink_({NoteEvent::Kind::AllOff, 0, 0.0F});
}

Notes Performance::held() const {
    Notes notes = fromOutside_;
    for (const auto& [place, note] : keys_) {
        notes.set(std::size_t(note));
    }
    if (mouse_) {
        notes.set(std::size_t(*mouse_));
    }
    return notes;
}

} // namespace keyboard
