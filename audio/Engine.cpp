#include "Engine.h"

#include <algorithm>
#include <cmath>

namespace audio {

Engine::Engine(double sampleRate)
    : sampleRate_(sampleRate), synthesizer_(sampleRate), voices_(sampleRate) {}

void Engine::set(const SoundSnapshot& snapshot) {
    snapshot_ = snapshot;
    synthesizer_.set(snapshot);
    voices_.set(snapshot);
}

void Engine::restart() {
    synthesizer_ = Synthesizer(sampleRate_);
    voices_ = Voices(sampleRate_);
    set(snapshot_);
}

const TuneNote* Engine::nextDue(NoteInbox& inbox, std::uint64_t end) {
    const std::uint32_t wanted = inbox.wantedTune.load(std::memory_order_acquire);
    if (wanted != tune_) {
        tune_ = wanted;
        tuneOrigin_ = clock_;
    }
    TuneNote dropped;
    while (const TuneNote* next = inbox.tune.front()) {
        if (next->tune != tune_ || tune_ == 0) {
            inbox.tune.pop(dropped);
        } else {
            const double at = std::max(0.0, next->note.seconds) * sampleRate_;
            return double(tuneOrigin_) + at < double(end) ? next : nullptr;
        }
    }
    return nullptr;
}

void Engine::render(std::span<float> samples, NoteInbox& inbox) {
    for (NoteQueue* queue : {&inbox.window, &inbox.midi}) {
        NoteEvent event;
        while (queue->pop(event)) {
            voices_.handle(event);
        }
    }
    const std::uint64_t start = clock_;
    const std::uint64_t end = start + samples.size();
    std::size_t done = 0;
    while (const TuneNote* due = nextDue(inbox, end)) {
        const double at = double(tuneOrigin_) + due->note.seconds * sampleRate_;
        const auto offset = static_cast<std::size_t>(
            std::clamp(std::round(at) - double(start), double(done), double(samples.size())));
        renderPart(samples.subspan(done, offset - done));
        done = offset;
        const bool late = double(start + done) - at > latestSeconds * sampleRate_;
        if (!late || due->note.event.kind != NoteEvent::Kind::On) {
            voices_.handle(due->note.event);
        }
        TuneNote taken;
        inbox.tune.pop(taken);
    }
    renderPart(samples.subspan(done));
}

void Engine::renderPart(std::span<float> samples) {
    if (samples.empty()) {
        return;
    }
    synthesizer_.render(samples);
    voices_.renderAdding(samples);
    clock_ += samples.size();
}

} // namespace audio
