#include "PulseSound.h"

#include "Realtime.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>
#include <thread>
#include <utility>

namespace audio {
namespace {

// What the server holds of ours ahead of its output: a change is heard after it. Half of it
// takes PulseAudio's median from the click to the ear from 22 to 15 ms, but leaves a gap under
// full load; PipeWire's graph adds the same whatever we ask.
constexpr std::uint32_t bufferSamples = PulseSound::sampleRate / 50; // 20 ms
// A stream that runs dry all the same (the machine too busy to give us our turn in time) keeps
// twice as much from then on, up to this: a little later is better than a gap every time.
constexpr std::uint32_t mostBufferSamples = 4 * bufferSamples;
constexpr pa_usec_t tickUs = 500'000;
// A server is asked again at most this often while sound is wanted.
constexpr pa_usec_t attemptUs = 1'000'000;
// A server that has taken our connection but not answered it by then may never answer.
constexpr pa_usec_t connectingUs = 2'000'000;
// Longer than any gap between two requests of a stream that plays, even on a busy machine.
constexpr pa_usec_t stalledUs = 600'000;
// A sink that has been idle may take most of a second to take a new stream's first samples.
constexpr pa_usec_t startingUs = 1'500'000;
// Once three buffers of silence have been taken, everything before has reached the output.
constexpr std::size_t closingBuffers = 3;

// The server keeps this many of our samples ahead of its output, and otherwise what it likes.
pa_buffer_attr playing(std::uint32_t samples) {
    const auto asTheServerLikes = static_cast<std::uint32_t>(-1);
    return {asTheServerLikes, samples * std::uint32_t{sizeof(float)}, asTheServerLikes,
            asTheServerLikes, asTheServerLikes};
}

template <class T>
void tellChange(std::optional<T>& told, T now, const std::function<void(T)>& tell) {
    if (told != now) {
        told = now;
        tell(now);
    }
}

template <class Object, void (Object::*handler)()> void call(void* self) {
    (static_cast<Object*>(self)->*handler)();
}

} // namespace

class PulseSound::Lock {
public:
    explicit Lock(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    ~Lock() { pa_threaded_mainloop_unlock(loop_); }

private:
    pa_threaded_mainloop* loop_;
};

PulseSound::PulseSound(SnapshotExchange<SoundSnapshot>& exchange, NoteInbox& notes,
                       std::function<void(ServerState)> stateChanged,
                       std::function<void(bool)> inputChanged)
    : exchange_(exchange), notes_(notes), stateChanged_(std::move(stateChanged)),
      inputChanged_(std::move(inputChanged)), loop_(pa_threaded_mainloop_new()),
      playSamples_(bufferSamples) {
    pa_threaded_mainloop_set_name(loop_, "sound");
    pa_threaded_mainloop_start(loop_);
    // Made when sound or listening is first wanted: a server is asked at once.
    const Lock lock(loop_);
    connect();
}

void PulseSound::finish(int waitMs) {
    {
        const Lock lock(loop_);
        finishing_ = true;
        wanted_ = false;
        listener_ = {}; // the program is ending: nobody to tell
        if (stream_ == nullptr || pa_stream_get_state(stream_) != PA_STREAM_READY) {
            finished_ = true;
        }
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (!finished_ && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const Lock lock(loop_);
    setTicking(false);
    dropContext();
}

PulseSound::~PulseSound() {
    if (!finishing_) {
        finish(0);
    }
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
}

void PulseSound::setWanted(bool wanted) {
    const Lock lock(loop_);
    wanted_ = wanted;
    if (wanted) {
        setTicking(true);
        if (context_ == nullptr) {
            connect();
        } else if (contextReady() && stream_ == nullptr && sinks_ > 0) {
            openStream();
        }
    }
    if (context_ == nullptr) {
        report(wanted ? ServerState::Waiting : ServerState::NoServer);
    }
}

void PulseSound::listen(const Listener& listener) {
    const Lock lock(loop_);
    if (!listener.heard) {
        listener_ = {};
        loseRecording();
        return;
    }
    listener_ = listener;
    setTicking(true);
    if (context_ == nullptr) {
        connect();
    } else if (contextReady() && recording_ == nullptr && sources_ > 0) {
        openRecording();
    }
}

bool PulseSound::contextReady() const {
    return context_ != nullptr && pa_context_get_state(context_) == PA_CONTEXT_READY;
}

void PulseSound::connect() {
    dropContext();
    connectedAtUs_ = pa_rtclock_now();
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Tonvirta");
    pa_context_set_state_callback(
        context_,
        [](pa_context*, void* self) { call<PulseSound, &PulseSound::contextChanged>(self); }, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        contextChanged();
    }
}

// A context that has failed is let go on the next turn of the loop, never inside its own
// callback; by then a newer one may stand in its place, which is left alone.
void PulseSound::contextChanged() {
    const pa_context_state_t state = pa_context_get_state(context_);
    if (state == PA_CONTEXT_READY) {
        pa_context_set_subscribe_callback(
            context_,
            [](pa_context*, pa_subscription_event_type_t event, std::uint32_t, void* self) {
                if ((event & PA_SUBSCRIPTION_EVENT_TYPE_MASK) != PA_SUBSCRIPTION_EVENT_CHANGE) {
                    call<PulseSound, &PulseSound::countDevices>(self); // one came or went
                }
            },
            this);
        pa_operation_unref(
            pa_context_subscribe(context_,
                                 static_cast<pa_subscription_mask_t>(PA_SUBSCRIPTION_MASK_SINK |
                                                                     PA_SUBSCRIPTION_MASK_SOURCE),
                                 nullptr, nullptr));
        countDevices();
    } else if (!PA_CONTEXT_IS_GOOD(state)) {
        pa_mainloop_api_once(
            pa_threaded_mainloop_get_api(loop_),
            [](pa_mainloop_api*, void* self) {
                auto& player = *static_cast<PulseSound*>(self);
                if (player.context_ != nullptr &&
                    !PA_CONTEXT_IS_GOOD(pa_context_get_state(player.context_))) {
                    player.dropContext();
                    player.report(player.wanted_ ? ServerState::Waiting : ServerState::NoServer);
                }
            },
            this);
    }
}

// One reply holds every sink (or source), so the counts of two requests never mix.
void PulseSound::countDevices() {
    const auto counted = [](pa_operation* operation) {
        if (operation != nullptr) {
            pa_operation_unref(operation);
        }
    };
    counted(pa_context_get_sink_info_list(
        context_,
        [](pa_context*, const pa_sink_info* info, int last, void* self) {
            static_cast<PulseSound*>(self)->counting(last == 0 && info != nullptr, false);
        },
        this));
    counted(pa_context_get_source_info_list(
        context_,
        [](pa_context*, const pa_source_info* info, int last, void* self) {
            static_cast<PulseSound*>(self)->counting(last == 0 && info != nullptr, true);
        },
        this));
}

// One more device, or the end of a list; the sources come after the sinks.
void PulseSound::counting(bool one, bool sources) {
    if (one) {
        ++counting_;
        return;
    }
    (sources ? sources_ : sinks_) = std::exchange(counting_, 0);
    if (sources) {
        devicesCounted();
    }
}

void PulseSound::devicesCounted() {
    reportInput(sources_ > 0);
    if (listener_.heard && recording_ == nullptr) {
        if (sources_ > 0) {
            openRecording();
        } else {
            loseRecording(); // nothing to listen to: the listener hears so at once
        }
    }
    if (sinks_ == 0) {
        dropStream();
        report(ServerState::NoOutput);
        return;
    }
    report(ServerState::Ready);
    if (wanted_ && stream_ == nullptr) {
        openStream();
    }
}

void PulseSound::openRecording() {
    lastHeardUs_ = pa_rtclock_now() + startingUs;
    const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, sampleRate, 1};
    recording_ = pa_stream_new(context_, "Tonvirta listening", &format, nullptr);
    if (recording_ == nullptr) {
        return;
    }
    pa_stream_set_read_callback(
        recording_,
        [](pa_stream*, std::size_t, void* self) { static_cast<PulseSound*>(self)->recorded(); },
        this);
    const auto none = static_cast<std::uint32_t>(-1);
    const pa_buffer_attr buffer{none, none, none, none, bufferSamples * sizeof(float)};
    if (pa_stream_connect_record(recording_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY) < 0) {
        loseRecording();
    }
}

void PulseSound::recorded() {
    lastHeardUs_ = pa_rtclock_now();
    const void* data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_peek(recording_, &data, &bytes) == 0 && bytes > 0) {
        if (data != nullptr && listener_.heard) { // a hole brings no data
            listener_.heard(std::span(static_cast<const float*>(data), bytes / sizeof(float)));
        }
        pa_stream_drop(recording_);
    }
}

// The input has gone (or its stream failed): listening ends, and the listener hears of it.
void PulseSound::loseRecording() {
    if (recording_ != nullptr) {
        pa_stream_set_read_callback(recording_, nullptr, nullptr);
        pa_stream_disconnect(recording_);
        pa_stream_unref(recording_);
        recording_ = nullptr;
    }
    if (listener_.lost) {
        const auto lost = std::exchange(listener_, {}).lost;
        lost();
    }
}

void PulseSound::reportInput(bool present) {
    tellChange(inputReported_, present, inputChanged_);
}

void PulseSound::openStream() {
    connectedAtUs_ = pa_rtclock_now();
    lastRequestUs_ = connectedAtUs_ + startingUs;
    filling_ = true;
    const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, sampleRate, 1};
    stream_ = pa_stream_new(context_, "Tonvirta", &format, nullptr);
    if (stream_ == nullptr) {
        return;
    }
    // A stream opened anew starts from silence, so a sound that comes back fades in.
    engine_.restart();
    silenceWritten_ = 0;
    pa_stream_set_state_callback(
        stream_, [](pa_stream*, void* self) { call<PulseSound, &PulseSound::streamChanged>(self); },
        this);
    pa_stream_set_write_callback(
        stream_,
        [](pa_stream*, std::size_t bytes, void* self) {
            static_cast<PulseSound*>(self)->write(bytes);
        },
        this);
    pa_stream_set_underflow_callback(
        stream_, [](pa_stream*, void* self) { call<PulseSound, &PulseSound::ranDry>(self); }, this);
    const pa_buffer_attr buffer = playing(playSamples_);
    if (pa_stream_connect_playback(stream_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr,
                                   nullptr) < 0) {
        dropStream();
    }
}

void PulseSound::streamChanged() {
    if (pa_stream_get_state(stream_) == PA_STREAM_READY) {
        report(ServerState::Ready);
    }
}

void PulseSound::ranDry() {
    if (playSamples_ >= mostBufferSamples) {
        return;
    }
    playSamples_ *= 2;
    const pa_buffer_attr buffer = playing(playSamples_);
    if (pa_operation* operation = pa_stream_set_buffer_attr(stream_, &buffer, nullptr, nullptr)) {
        pa_operation_unref(operation);
    }
    std::fprintf(stderr, "tonvirta: the sound ran dry; it now keeps %u ms ahead\n",
                 unsigned(playSamples_ * 1000 / sampleRate));
}

void PulseSound::write(std::size_t bytes) {
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
    engine_.render(block_, notes_);
    pa_stream_write(stream_, block_.data(), block_.size() * sizeof(float), nullptr, 0,
                    PA_SEEK_RELATIVE);
    silenceWritten_ = engine_.silent() ? silenceWritten_ + block_.size() : 0;
    if (finishing_ && silenceWritten_ >= closingBuffers * playSamples_) {
        finished_ = true;
    }
}

void PulseSound::onTick(pa_mainloop_api* api, pa_time_event* event, const timeval*, void* self) {
    timeval next{};
    api->time_restart(event, pa_timeval_add(pa_gettimeofday(&next), tickUs));
    static_cast<PulseSound*>(self)->tick();
}

void PulseSound::setTicking(bool on) {
    pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
    if (on && ticker_ == nullptr) {
        timeval first{};
        ticker_ = api->time_new(api, pa_timeval_add(pa_gettimeofday(&first), tickUs), onTick, this);
    } else if (!on && ticker_ != nullptr) {
        api->time_free(ticker_);
        ticker_ = nullptr;
    }
}

// While sound is wanted: reach a server, open a stream, and start again with one that takes
// nothing. Otherwise: close the stream once the sound has died away, and then look no more.
void PulseSound::tick() {
    const pa_usec_t now = pa_rtclock_now();
    if (stream_ != nullptr && !PA_STREAM_IS_GOOD(pa_stream_get_state(stream_))) {
        dropStream();
    }
    if (recording_ != nullptr &&
        (!PA_STREAM_IS_GOOD(pa_stream_get_state(recording_)) || now > lastHeardUs_ + stalledUs)) {
        loseRecording();
    }
    if (!wanted_ && stream_ != nullptr && silenceWritten_ >= closingBuffers * playSamples_) {
        dropStream();
    }
    if (!wanted_ && !listener_.heard) {
        setTicking(stream_ != nullptr);
        return;
    }
    const bool stalled = wanted_ && stream_ != nullptr &&
                         pa_stream_get_state(stream_) == PA_STREAM_READY &&
                         now > lastRequestUs_ + stalledUs;
    const bool unanswered =
        context_ != nullptr && !contextReady() && now - connectedAtUs_ > connectingUs;
    if (stalled || unanswered || (context_ == nullptr && now - connectedAtUs_ >= attemptUs)) {
        connect();
        report(ServerState::Waiting);
    } else if (wanted_ && contextReady() && stream_ == nullptr && sinks_ > 0 &&
               now - connectedAtUs_ >= attemptUs) {
        openStream();
    }
}

void PulseSound::report(ServerState state) {
    tellChange(reported_, state, stateChanged_);
}

void PulseSound::dropStream() {
    if (stream_ != nullptr) {
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
}

void PulseSound::dropContext() {
    dropStream();
    loseRecording();
    if (context_ != nullptr) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_set_subscribe_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    sinks_ = 0;
    sources_ = 0;
    reportInput(false);
}

} // namespace audio
