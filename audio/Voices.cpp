#include "Voices.h"

#include "Harmonics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace audio {

using namespace harmonics;

Voices::Voices(double sampleRate)
    : sampleRate_(sampleRate), timbre_(sampleRate), unit_(sampleRate),
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
    keepLife(snapshot.life);
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

namespace {

using Stage = Voices::Stage;

bool keyDown(Stage stage) {
    return stage == Stage::Starting || stage == Stage::Held;
}
// Still to die away of its own accord: not yet released, nor already dying.
bool living(Stage stage) {
    return stage != Stage::Free && stage != Stage::Releasing;
}

} // namespace

void Voices::release(Voice& voice, double seconds) const {
    voice.stage = voice.level > 0.0 ? Stage::Releasing : Stage::Free;
    voice.levelStep = -voice.level / std::max(1.0, seconds * sampleRate_);
}

void Voices::letGo(Voice& voice) const {
    if (voice.level < 1.0 && voice.levelStep > 0.0) {
        voice.stage = Stage::ReleasingOnceRisen;
    } else {
        releaseNow(voice);
    }
}

void Voices::start(int note, double velocity) {
    if (silent()) {
        // Nothing sounds to glide from: the first note starts in the timbre as it is.
        timbre_.arrive();
        unit_.arrive();
    }
    auto free = std::find_if(voices_.begin(), voices_.end(),
                             [](const Voice& v) { return v.stage == Stage::Free; });
    // Voices not already dying as taken: the oldest of them makes room.
    const auto isLiving = [](const Voice& v) { return living(v.stage); };
    if (std::size_t(std::count_if(voices_.begin(), voices_.end(), isLiving)) >= count ||
        free == voices_.end()) {
        Voice* oldest = nullptr;
        for (Voice& v : voices_) {
            if (isLiving(v) && (oldest == nullptr || v.started < oldest->started)) {
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
    free->stage = Stage::Starting;
    free->note = note;
    free->velocity = std::clamp(velocity, 0.0, 1.0);
    free->life = lives_.empty() || current_.life == nullptr ? nullptr : lives_.back().get();
    const double rise = free->life != nullptr ? attackSeconds : current_.envelope.attackMs / 1000.0;
    free->levelStep = 1.0 / std::max(1.0, rise * sampleRate_);
    free->started = ++notesStarted_;
    free->shape = shapeAt(*free, 0.0);
    tune(*free);
}

void Voices::handle(const NoteEvent& event) {
    switch (event.kind) {
    case NoteEvent::Kind::On:
        if (event.note < 128) {
            for (Voice& v : voices_) {
                if (v.note == event.note && (keyDown(v.stage) || v.stage == Stage::Sustained)) {
                    release(v, releaseSeconds());
                }
            }
            if (event.value > 0.0F) {
                start(event.note, event.value / 127.0);
            }
        }
        break;
    case NoteEvent::Kind::Off:
        for (Voice& v : voices_) {
            if (v.note == event.note && keyDown(v.stage)) {
                if (pedal_) {
                    v.stage = Stage::Sustained;
                } else {
                    letGo(v);
                }
            }
        }
        break;
    case NoteEvent::Kind::Sustain:
        pedal_ = event.value > 0.0F;
        for (Voice& v : voices_) {
            if (!pedal_ && v.stage == Stage::Sustained) {
                letGo(v);
            }
        }
        break;
    case NoteEvent::Kind::Bend:
        bend_ = std::isfinite(event.value) ? std::clamp(double(event.value), -2.0, 2.0) : 0.0;
        for (Voice& v : voices_) {
            if (v.stage != Stage::Free) {
                tune(v);
            }
        }
        break;
    case NoteEvent::Kind::AllOff:
        pedal_ = false;
        for (Voice& v : voices_) {
            if (living(v.stage)) {
                release(v, event.value > 0.0F ? stealSeconds : releaseSeconds());
            }
        }
        break;
    }
}

std::size_t Voices::sounding() const {
    return std::size_t(std::count_if(voices_.begin(), voices_.end(),
                                     [](const Voice& v) { return v.stage != Stage::Free; }));
}

std::vector<Voices::Stage> Voices::stages() const {
    std::vector<Stage> result;
    for (const Voice& v : voices_) {
        if (v.stage != Stage::Free) {
            result.push_back(v.stage);
        }
    }
    return result;
}

void Voices::advance(Voice& voice) const {
    voice.phase += voice.phaseStep;
    voice.phase -= std::floor(voice.phase);
    voice.level = std::min(1.0, voice.level + voice.levelStep);
    ++voice.age;
    for (std::size_t k = 0; k < voice.harmonics; ++k) {
        voice.shape[k] += voice.shapeStep[k];
    }
    if (voice.level <= 0.0) {
        voice.stage = Stage::Free;
    } else if (voice.level >= 1.0 && voice.stage == Stage::Starting) {
        voice.stage = Stage::Held;
    } else if (voice.level >= 1.0 && voice.stage == Stage::ReleasingOnceRisen) {
        releaseNow(voice);
    }
}

void Voices::renderAdding(std::span<float> samples) {
    if (silent()) {
        return;
    }
    for (float& sample : samples) {
        if (timbre_.moving()) {
            timbre_.step();
        }
        if (unit_.moving()) {
            unit_.step();
        }
        double mix = 0.0;
        for (Voice& v : voices_) {
            if (v.stage == Stage::Free) {
                continue;
            }
            if (--v.untilAim <= 0) {
                aim(v);
            }
            double sum = 0.0;
            const double theta = 2.0 * std::numbers::pi * v.phase;
            const std::size_t below = v.harmonics;
            const harmonics::Ramp& parts = v.life != nullptr ? unit_ : timbre_;
            forEachPhasedHarmonic(theta, [&](std::size_t k, double sine, double cosine) {
                if (k < below) {
                    sum += v.shape[k] * (parts.sines()[k] * sine + parts.cosines()[k] * cosine);
                }
            });
            mix += sum * v.velocity * v.level;
            advance(v);
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
