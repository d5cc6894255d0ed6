#include "Tone.h"

#include "forms/Conversions.h"

#include <cmath>

namespace model {

scope::Amplitudes Tone::amplitudes() const {
    scope::Amplitudes result{};
    for (std::size_t k = 0; k < result.size(); ++k) {
        const forms::LeadingNumber number = forms::scanLeadingNumber(texts_[k]);
        result[k] = number.length == texts_[k].size() ? number.value : 0.0;
    }
    return result;
}

void Tone::hear() {
    heard_ = sinePhasesOnly_ || views_.round ? editor::Phases{} : phases_;
}

void Tone::viewsChanged() {
    const editor::Phases before = heard_;
    hear();
    tell(Change::Views);
    if (heard_ != before) {
        tell(Change::Phases);
    }
}

void Tone::boxesSettled(const editor::Texts& texts) {
    if (texts != texts_) {
        texts_ = texts;
        tell(Change::Amplitudes);
    }
}

void Tone::setAmplitude(std::size_t index, double amplitude) {
    if (writer_ && index < texts_.size()) {
        writer_(index, amplitude);
    }
}

void Tone::setPhase(std::size_t index, double degrees) {
    if (index >= phases_.size()) {
        return;
    }
    const double amplitude = amplitudes()[index];
    const editor::Phased phased = editor::folded(amplitude, degrees);
    if (phased.amplitude != amplitude) {
        setAmplitude(index, phased.amplitude);
    }
    if (phased.phase != phases_[index]) {
        phases_[index] = phased.phase;
        hear();
        tell(Change::Phases);
    }
}

void Tone::setPhases(const editor::Phases& phases) {
    editor::Phases wrapped{};
    for (std::size_t k = 0; k < phases.size(); ++k) {
        wrapped[k] = editor::folded(1.0, phases[k]).phase;
    }
    if (wrapped != phases_) {
        phases_ = wrapped;
        hear();
        tell(Change::Phases);
    }
}

void Tone::setSinePhasesOnly(bool on) {
    if (on != sinePhasesOnly_) {
        sinePhasesOnly_ = on;
        hear();
        tell(Change::Phases);
    }
}

void Tone::tell(Change change) {
    for (const Listener& listener : listeners_) {
        listener(change);
    }
}

} // namespace model
