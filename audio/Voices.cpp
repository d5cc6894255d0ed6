#include "Voices.h"

#include "Harmonics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace audio {

using namespace harmonics;

Voices::Voices(double sampleRate)
    : sampleRate_(sampleRate), timbre_(sampleRate),
      limitRecovery_(1.0 - std::exp(-1.0 / (limiterReleaseSeconds * sampleRate))) {}

double Voices::frequencyOf(double note) {
    return 440.0 * std::exp2((note - 69.0) / 12.0);
}

void Voices::set(const SoundSnapshot& snapshot) {
    if (snapshot == current_) {
        return;
    }
    current_ = snapshot;
    // The pitch is each note's own: the parts for all 17, each voice leaving out its highest.
    timbre_.aimAt(partsOf(snapshot, 0.0, 1.0, snapshot.on));
}

void Voices::tune(Voice& voice) const {
    const double hz = frequencyOf(voice.note + bend_);
    voice.phaseStep = hz / sampleRate_;
    voice.harmonics = 0;
    while (voice.harmonics < harmonicCount &&
           double(voice.harmonics + 1) * hz < sampleRate_ / 2.0) {
        ++voice.harmonics;
    }
}

void Voices::release(Voice& voice, double seconds) const {
    voice.held = false;
    voice.sustained = false;
    voice.levelStep = -voice.level / std::max(1.0, seconds * sampleRate_);
    if (voice.level <= 0.0) {
        voice.note = -1;
    }
}

void Voices::letGo(Voice& voice) {
    if (voice.levelStep > 0.0 && voice.level < 1.0) {
        voice.held = false;
        voice.sustained = false;
        voice.letGo = true;
    } else {
        release(voice, releaseSeconds);
    }
}

void Voices::start(int note, double velocity) {
    auto free =
        std::find_if(voices_.begin(), voices_.end(), [](const Voice& v) { return v.note < 0; });
    // Voices not already dying as taken: the oldest of them makes room.
    const auto living = [](const Voice& v) { return v.note >= 0 && v.levelStep >= 0.0; };
    if (std::size_t(std::count_if(voices_.begin(), voices_.end(), living)) >= count ||
        free == voices_.end()) {
        Voice* oldest = nullptr;
        for (Voice& v : voices_) {
            if (living(v) && (oldest == nullptr || v.started < oldest->started)) {
                oldest = &v;
            }
        }
        if (oldest != nullptr) {
            release(*oldest, stealSeconds);
        }
    }
    if (free == voices_.end()) {
        // Every slot dying: the quietest goes at once.
        free = std::min_element(voices_.begin(), voices_.end(),
                                [](const Voice& a, const Voice& b) { return a.level < b.level; });
    }
    *free = Voice{};
    free->note = note;
    free->velocity = std::clamp(velocity, 0.0, 1.0);
    free->levelStep = 1.0 / std::max(1.0, attackSeconds * sampleRate_);
    free->held = true;
    free->started = ++notesStarted_;
    tune(*free);
}

void Voices::handle(const NoteEvent& event) {
    switch (event.kind) {
    case NoteEvent::Kind::On:
        if (event.note < 128) {
            for (Voice& v : voices_) {
                if (v.note == event.note && (v.held || v.sustained)) {
                    release(v, releaseSeconds);
                }
            }
            if (event.value > 0.0F) {
                start(event.note, event.value / 127.0);
            }
        }
        break;
    case NoteEvent::Kind::Off:
        for (Voice& v : voices_) {
            if (v.note == event.note && v.held) {
                if (pedal_) {
                    v.held = false;
                    v.sustained = true;
                } else {
                    letGo(v);
                }
            }
        }
        break;
    case NoteEvent::Kind::Sustain:
        pedal_ = event.value > 0.0F;
        if (!pedal_) {
            for (Voice& v : voices_) {
                if (v.sustained) {
                    letGo(v);
                }
            }
        }
        break;
    case NoteEvent::Kind::Bend:
        bend_ = std::isfinite(event.value) ? std::clamp(double(event.value), -2.0, 2.0) : 0.0;
        for (Voice& v : voices_) {
            if (v.note >= 0) {
                tune(v);
            }
        }
        break;
    case NoteEvent::Kind::AllOff:
        pedal_ = false;
        for (Voice& v : voices_) {
            if (v.note >= 0 && (v.held || v.sustained || v.levelStep >= 0.0)) {
                release(v, event.value > 0.0F ? stealSeconds : releaseSeconds);
            }
        }
        break;
    }
}

std::size_t Voices::sounding() const {
    return std::size_t(
        std::count_if(voices_.begin(), voices_.end(), [](const Voice& v) { return v.note >= 0; }));
}

void Voices::renderAdding(std::span<float> samples) {
    if (silent()) {
        return;
    }
    for (float& sample : samples) {
        if (timbre_.moving()) {
            timbre_.step();
        }
        double mix = 0.0;
        for (Voice& v : voices_) {
            if (v.note < 0) {
                continue;
            }
            double sum = 0.0;
            const double theta = 2.0 * std::numbers::pi * v.phase;
            const std::size_t below = v.harmonics;
            forEachPhasedHarmonic(theta, [&](std::size_t k, double sine, double cosine) {
                if (k < below) {
                    sum += timbre_.sines()[k] * sine + timbre_.cosines()[k] * cosine;
                }
            });
            mix += sum * v.velocity * v.level;
            v.phase += v.phaseStep;
            v.phase -= std::floor(v.phase);
            v.level = std::min(1.0, v.level + v.levelStep);
            if (v.level <= 0.0) {
                v.note = -1;
            } else if (v.letGo && v.level >= 1.0) {
                v.letGo = false;
                release(v, releaseSeconds);
            }
        }
        sample = limited(double(sample) + mix * voiceGain);
    }
}

float Voices::limited(double sample) {
    const double magnitude = std::fabs(sample);
    const double needed = magnitude > fullScale ? fullScale / magnitude : 1.0;
    limit_ = needed < limit_ ? needed : limit_ + (1.0 - limit_) * limitRecovery_;
    return static_cast<float>(std::clamp(sample * std::min(limit_, needed), -1.0, 1.0));
}

} // namespace audio
