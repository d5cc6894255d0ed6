#include "PulsePlayback.h"

#include "Realtime.h"

#include <algorithm>
#include <cstdio>
#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>
#include <utility>

namespace audio {
namespace {

// The server keeps this many of our samples ahead of its output, and otherwise what it likes.
pa_buffer_attr playing(std::uint32_t samples) {
    const auto asTheServerLikes = static_cast<std::uint32_t>(-1);
    return {asTheServerLikes, samples * std::uint32_t{sizeof(float)}, asTheServerLikes,
            asTheServerLikes, asTheServerLikes};
}

} // namespace

PulsePlayback::PulsePlayback(SnapshotExchange<SoundSnapshot>& exchange, NoteInbox& notes,
                             std::function<void()> ready)
    : exchange_(exchange), notes_(notes), ready_(std::move(ready)) {}

void PulsePlayback::open(pa_context* context) {
    lastRequestUs_ = pa_rtclock_now() + pulse::startingUs;
    filling_ = true;
    const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, pulse::sampleRate, 1};
    stream_ = pa_stream_new(context, "Tonvirta", &format, nullptr);
    if (stream_ == nullptr) {
        return;
    }
    engine_.restart();
    silenceWritten_ = 0;
    pa_stream_set_state_callback(
        stream_,
        [](pa_stream*, void* self) { pulse::call<PulsePlayback, &PulsePlayback::changed>(self); },
        this);
    pa_stream_set_write_callback(
        stream_,
        [](pa_stream*, std::size_t bytes, void* self) {
            static_cast<PulsePlayback*>(self)->write(bytes);
        },
        this);
    pa_stream_set_underflow_callback(
        stream_,
        [](pa_stream*, void* self) { pulse::call<PulsePlayback, &PulsePlayback::ranDry>(self); },
        this);
    const pa_buffer_attr buffer = playing(playSamples_);
    if (pa_stream_connect_playback(stream_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr,
                                   nullptr) < 0) {
        close();
    }
}

void PulsePlayback::close() {
    if (stream_ != nullptr) {
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
}

bool PulsePlayback::failed() const {
    return stream_ != nullptr && !PA_STREAM_IS_GOOD(pa_stream_get_state(stream_));
}

bool PulsePlayback::stalled(std::uint64_t nowUs) const {
    return stream_ != nullptr && pa_stream_get_state(stream_) == PA_STREAM_READY &&
           nowUs > lastRequestUs_ + pulse::stalledUs;
}

void PulsePlayback::finish() {
    finishing_ = true;
    if (stream_ == nullptr || pa_stream_get_state(stream_) != PA_STREAM_READY) {
        finished_ = true;
    }
}

void PulsePlayback::changed() {
    if (pa_stream_get_state(stream_) == PA_STREAM_READY && ready_) {
        ready_();
    }
}

void PulsePlayback::ranDry() {
    if (playSamples_ >= pulse::mostBufferSamples) {
        return;
    }
    playSamples_ *= 2;
    const pa_buffer_attr buffer = playing(playSamples_);
    if (pa_operation* operation = pa_stream_set_buffer_attr(stream_, &buffer, nullptr, nullptr)) {
        pa_operation_unref(operation);
    }
    std::fprintf(stderr, "tonvirta: the sound ran dry; it now keeps %u ms ahead\n",
                 unsigned(playSamples_ * 1000 / pulse::sampleRate));
}

void PulsePlayback::write(std::size_t bytes) {
    // The first request fills the stream as it opens, before the sink may have woken (PulseAudio's
    // takes most of a second): the grace given at opening stands until the next.
    lastRequestUs_ = std::exchange(filling_, false) ? std::max(lastRequestUs_, pa_rtclock_now())
                                                    : pa_rtclock_now();
    if (!realtimeAsked_) {
        realtimeAsked_ = true;
        askForRealtime();
    }
    engine_.set(exchange_.read());
    block_.resize(bytes / sizeof(float));
    engine_.render(block_, notes_, monotonicNs());
    pa_stream_write(stream_, block_.data(), block_.size() * sizeof(float), nullptr, 0,
                    PA_SEEK_RELATIVE);
    silenceWritten_ = engine_.silent() ? silenceWritten_ + block_.size() : 0;
    if (finishing_ && diedAway()) {
        finished_ = true;
    }
}

} // namespace audio
