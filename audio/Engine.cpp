#include "Engine.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace audio {

Engine::Engine(double sampleRate)
    : sampleRate_(sampleRate), synthesizer_(sampleRate), voices_(sampleRate) {}

void Engine::set(const SoundSnapshot& snapshot) {
    if (snapshot.clip.id != snapshot_.clip.id) {
        clipAt_ = 0;
    }
    snapshot_ = snapshot;
    SoundSnapshot held = snapshot;
    held.playing = held.playing || clipSounding();
    synthesizer_.set(held);
    voices_.set(snapshot);
}

bool Engine::clipSounding() const {
    return snapshot_.on && snapshot_.clip.samples && clipAt_ < snapshot_.clip.samples->size();
}

void Engine::addClip(std::span<float> samples) {
    if (!clipSounding()) {
        return;
    }
    const std::vector<float>& clip = *snapshot_.clip.samples;
    const std::size_t count = std::min(samples.size(), clip.size() - clipAt_);
    const auto gain = float(snapshot_.volume);
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = std::clamp(samples[i] + gain * clip[clipAt_ + i], -1.0F, 1.0F);
    }
    clipAt_ += count;
    if (!clipSounding()) {
        synthesizer_.set(snapshot_); // the held tone comes back as the clip ends
    }
}

void Engine::restart() {
    synthesizer_ = Synthesizer(sampleRate_);
    voices_ = Voices(sampleRate_);
    set(snapshot_);
}

double Engine::sampleOf(const TuneNote& note) const {
    return double(tuneOrigin_) + std::max(0.0, note.note.seconds) * sampleRate_;
}

std::size_t Engine::tuneOffset(NoteInbox& inbox, const Block& block) {
    const std::uint32_t wanted = inbox.wantedTune.load(std::memory_order_acquire);
    if (wanted != tune_) {
        tune_ = wanted;
        tuneOrigin_ = clock_;
    }
    TuneNote dropped;
    while (const TuneNote* next = inbox.tune.front()) {
        if (next->tune == tune_ && tune_ != 0) {
            const double offset = std::max(0.0, std::round(sampleOf(*next)) - double(block.start));
            return offset < double(block.size) ? std::size_t(offset) : none;
        }
        inbox.tune.pop(dropped);
    }
    return none;
}

std::size_t Engine::stampedOffset(const StampedNote* note, const Block& block) const {
    if (note == nullptr) {
        return none;
    }
    const double offset = std::round(double(note->ns - block.startNs) * sampleRate_ / 1e9);
    // A stamp further ahead than any block is of some other clock: taken at once.
    const bool waits =
        note->ns > block.nowNs && double(note->ns - block.nowNs) < latestSeconds * 1e9;
    if (waits && offset >= double(block.size)) {
        return none;
    }
    const double last = double(std::max<std::size_t>(block.size, 1) - 1);
    return std::size_t(std::clamp(offset, 0.0, last));
}

std::optional<Engine::Due> Engine::nextDue(NoteInbox& inbox, const Block& block) {
    const std::array<Due, 3> candidates{
        Due{tuneOffset(inbox, block), Due::Source::Tune},
        Due{stampedOffset(inbox.window.front(), block), Due::Source::Window},
        Due{stampedOffset(inbox.midi.front(), block), Due::Source::Midi},
    };
    const Due earliest =
        *std::min_element(candidates.begin(), candidates.end(),
                          [](const Due& a, const Due& b) { return a.offset < b.offset; });
    return earliest.offset == none ? std::nullopt : std::optional(earliest);
}

void Engine::take(NoteInbox& inbox, Due::Source source) {
    if (source == Due::Source::Tune) {
        TuneNote note;
        inbox.tune.pop(note);
        const bool late = double(clock_) - sampleOf(note) > latestSeconds * sampleRate_;
        if (!late || note.note.event.kind != NoteEvent::Kind::On) {
            voices_.handle(note.note.event);
        }
        return;
    }
    StampedNote note;
    (source == Due::Source::Window ? inbox.window : inbox.midi).pop(note);
    voices_.handle(note.event);
}

void Engine::render(std::span<float> samples, NoteInbox& inbox, std::int64_t nowNs) {
    const auto blockNs = std::int64_t(double(samples.size()) * 1e9 / sampleRate_);
    const Block block{clock_, samples.size(), nowNs - blockNs, nowNs};
    std::size_t done = 0;
    while (const std::optional<Due> due = nextDue(inbox, block)) {
        const std::size_t at = std::max(due->offset, done);
        renderPart(samples.subspan(done, at - done));
        done = at;
        take(inbox, due->source);
    }
    renderPart(samples.subspan(done));
}

void Engine::renderPart(std::span<float> samples) {
    if (samples.empty()) {
        return;
    }
    synthesizer_.render(samples);
    voices_.renderAdding(samples);
    addClip(samples);
    clock_ += samples.size();
}

} // namespace audio
