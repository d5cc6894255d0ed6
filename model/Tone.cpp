#include "Tone.h"

#include "editor/AmplitudeBank.h"
#include "editor/Recipe.h"
#include "forms/Conversions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace model {

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
    settle(texts);
}

editor::Texts Tone::settled(std::span<const std::string> written) const {
    editor::Texts texts;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        texts[k] = editor::settledText(k < written.size() ? written[k] : "0", texts_[k]);
    }
    return texts;
}

// The one place a box's text becomes its number.
void Tone::settle(const editor::Texts& texts) {
    if (texts == texts_) {
        return;
    }
    texts_ = texts;
    allNumbers_ = true;
    for (std::size_t k = 0; k < texts_.size(); ++k) {
        const forms::LeadingNumber number = forms::scanLeadingNumber(texts_[k]);
        amplitudes_[k] = editor::amplitudeOfText(texts_[k]);
        allNumbers_ = allNumbers_ && number.length != 0 && number.length == texts_[k].size();
    }
    tell(Change::Amplitudes);
}

void Tone::setAmplitude(std::size_t index, double amplitude) {
    if (index >= texts_.size()) {
        return;
    }
    editor::Texts texts = texts_;
    texts[index] = forms::doubleToText(amplitude);
    settle(settled(texts));
    if (boxes_.load) {
        boxes_.load(texts_);
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

void Tone::setEnvelope(const Envelope& envelope) {
    const Envelope held = envelopeOf(settingsOf(envelope));
    if (held != envelope_) {
        envelope_ = held;
        tell(Change::Envelope);
    }
}

void Tone::tell(Change change) {
    if (change == Change::Amplitudes || change == Change::Phases || change == Change::Envelope) {
        stepOpened();
    }
    for (const Listener& listener : listeners_) {
        listener(change);
    }
}

void Tone::stepOpened() {
    if (restoring_ || holding_ || pending_) {
        return;
    }
    pending_ = true;
    pendingKey_ = actionKey_;
    if (schedule_) {
        schedule_();
    }
}

void Tone::endStep() {
    if (pending_) {
        pending_ = false;
        history_.record(step(), pendingKey_);
        tell(Change::Steps);
    }
}

void Tone::startAction(int mergeKey) {
    endStep();
    actionKey_ = mergeKey;
}

void Tone::stopMerging() {
    endStep();
    history_.stopMerging();
}

void Tone::load(std::span<const std::string> texts, const editor::Phases& phases,
                const std::optional<Envelope>& envelope) {
    startAction(0); // what came before is a step of its own
    settle(settled(texts));
    if (boxes_.load) {
        boxes_.load(texts);
    }
    setPhases(phases);
    if (envelope) {
        setEnvelope(*envelope);
    }
    endStep();
}

void Tone::load(const Timbre& timbre) {
    const editor::Step step = editor::stepOf(timbre);
    load(step.texts, step.phases);
}

void Tone::loadExactly(const editor::Step& step) {
    startAction(0);
    // A copy: the boxes settle one by one as they are written, which changes texts_ meanwhile.
    const editor::Texts texts = step.texts;
    settle(texts);
    if (boxes_.restore) {
        boxes_.restore(texts);
    }
    setPhases(step.phases);
    endStep();
}

void Tone::holdSteps(bool hold) {
    startAction(0);
    holding_ = hold;
    if (!hold) {
        history_.record(step(), 0);
        tell(Change::Steps);
    }
}

void Tone::moveThroughHistory(bool back) {
    endStep();
    const editor::Step step = back ? history_.undo() : history_.redo();
    restoring_ = true;
    settle(step.texts);
    if (boxes_.restore) {
        boxes_.restore(step.texts);
    }
    setPhases(step.phases);
    setEnvelope(step.envelope);
    restoring_ = false;
    tell(Change::Steps);
}

} // namespace model
