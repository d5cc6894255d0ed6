#include "PulseRecording.h"

#include "PulseTimes.h"

#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>
#include <span>
#include <utility>

namespace audio {

void PulseRecording::open(pa_context* context) {
    lastHeardUs_ = pa_rtclock_now() + pulse::startingUs;
    const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, pulse::sampleRate, 1};
    stream_ = pa_stream_new(context, "Tonvirta listening", &format, nullptr);
    if (stream_ == nullptr) {
        return;
    }
    pa_stream_set_read_callback(
        stream_,
        [](pa_stream*, std::size_t, void* self) {
            pulse::call<PulseRecording, &PulseRecording::recorded>(self);
        },
        this);
    const auto none = static_cast<std::uint32_t>(-1);
    const pa_buffer_attr buffer{none, none, none, none, pulse::bufferSamples * sizeof(float)};
    if (pa_stream_connect_record(stream_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY) < 0) {
        lose();
    }
}

bool PulseRecording::failed(std::uint64_t nowUs) const {
    return stream_ != nullptr && (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream_)) ||
                                  nowUs > lastHeardUs_ + pulse::stalledUs);
}

void PulseRecording::recorded() {
    lastHeardUs_ = pa_rtclock_now();
    const void* data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_peek(stream_, &data, &bytes) == 0 && bytes > 0) {
        if (data != nullptr && listener_.heard) { // a hole brings no data
            listener_.heard(std::span(static_cast<const float*>(data), bytes / sizeof(float)));
        }
        pa_stream_drop(stream_);
    }
}

void PulseRecording::close() {
    if (stream_ != nullptr) {
        pa_stream_set_read_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
}

void PulseRecording::lose() {
    close();
    if (listener_.lost) {
        const auto lost = std::exchange(listener_, {}).lost;
        lost();
    }
}

} // namespace audio
