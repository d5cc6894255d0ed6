// How each voice's harmonics change over its note's life: by the envelope, or as a recorded
// note did.
#include "Voices.h"

#include <algorithm>

namespace audio {
namespace {

using Stage = Voices::Stage;

// Under this a recorded note, whose loudest harmonic peaks at 100, is 60 dB down: gone.
constexpr double silentLevel = 0.1;
constexpr double silentFactor = 1e-3;

// Each harmonic's phase, and its sign in the boxes, at the gain that keeps the note's loudest
// moment under full scale: the voice's shape brings the magnitudes.
harmonics::Parts unitPartsOf(const SoundSnapshot& snapshot, const NoteLife& life) {
    harmonics::Parts parts;
    harmonics::Parts loudest;
    const Shape& magnitudes = life.note->moments[life.loudest].timbre.amplitudes;
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        const double sign = snapshot.timbre.amplitudes[k] < 0.0 ? -1.0 : 1.0;
        parts.set(k, sign, snapshot.timbre.phases[k]);
        loudest.set(k, sign * magnitudes[k], snapshot.timbre.phases[k]);
    }
    const bool on = snapshot.on;
    parts.scale(harmonics::gainFor(
        snapshot.volume, on ? harmonics::peakOf(loudest.sines, loudest.cosines) : 0.0, on));
    return parts;
}

} // namespace

void Voices::keepLife(const std::shared_ptr<const NoteLife>& life) {
    if (life != nullptr) {
        if (lives_.empty() || lives_.back() != life) {
            lives_.push_back(life);
        }
        unit_.aimAt(unitPartsOf(current_, *life));
    }
    if (lives_.empty()) {
        return;
    }
    // Those of notes loaded before, once no voice plays them.
    const NoteLife* newest = lives_.back().get();
    std::erase_if(lives_, [this, newest](const std::shared_ptr<const NoteLife>& kept) {
        return kept.get() != newest &&
               std::none_of(voices_.begin(), voices_.end(), [&kept](const Voice& v) {
                   return v.stage != Stage::Free && v.life == kept.get();
               });
    });
}

Shape Voices::shapeAt(const Voice& voice, double seconds) const {
    if (voice.life == nullptr) {
        return shapeOf(current_.envelope, seconds);
    }
    if (voice.releasedAt < 0.0) {
        return heldAt(*voice.life, seconds);
    }
    const double since = seconds - voice.releasedAt;
    Shape shape = releasedAt(*voice.life, since);
    const double w = std::min(1.0, since / releaseTurnSeconds);
    for (std::size_t k = 0; k < shape.size(); ++k) {
        shape[k] = (1.0 - w) * voice.from[k] + w * voice.releaseScale * shape[k];
    }
    return shape;
}

void Voices::releaseNow(Voice& voice) const {
    if (voice.life == nullptr || !voice.life->recordedRelease()) {
        release(voice, releaseSeconds());
        return;
    }
    voice.releasedAt = double(voice.age) / sampleRate_;
    voice.from = voice.shape;
    const double start = levelOf(releasedAt(*voice.life, 0.0));
    voice.releaseScale = start > 0.0 ? levelOf(voice.from) / start : 0.0;
    voice.stage = Stage::Releasing;
    voice.levelStep = 0.0;
    voice.untilAim = 0;
}

void Voices::aim(Voice& voice) const {
    voice.untilAim = aimSamples;
    const double next = double(voice.age + aimSamples) / sampleRate_;
    const Shape target = shapeAt(voice, next);
    for (std::size_t k = 0; k < target.size(); ++k) {
        voice.shapeStep[k] = (target[k] - voice.shape[k]) / aimSamples;
    }
    if (voice.levelStep < 0.0 || voice.stage == Stage::Free) {
        return; // already dying away
    }
    bool gone = false;
    if (voice.life == nullptr) {
        gone = current_.envelope.sustainPercent <= 0.0 &&
               next > current_.envelope.attackMs / 1000.0 &&
               *std::max_element(target.begin(), target.end()) < silentFactor;
    } else if (voice.releasedAt >= 0.0) {
        gone = releaseOver(*voice.life, next - voice.releasedAt);
    } else {
        gone =
            next > voice.life->seconds(double(voice.life->risen)) && levelOf(target) < silentLevel;
    }
    if (gone) {
        release(voice, stealSeconds);
    }
}

} // namespace audio
