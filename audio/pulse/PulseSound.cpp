#include "PulseSound.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>
#include <thread>
#include <utility>

namespace audio {
namespace {

constexpr pa_usec_t tickUs = 500'000;
// A server is asked again at most this often while sound is wanted.
constexpr pa_usec_t attemptUs = 1'000'000;
// A server that has taken our connection but not answered it by then may never answer.
constexpr pa_usec_t connectingUs = 2'000'000;

template <class T>
void tellChange(std::optional<T>& told, T now, const std::function<void(T)>& tell) {
    if (told != now) {
        told = now;
        tell(now);
    }
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
    : stateChanged_(std::move(stateChanged)), inputChanged_(std::move(inputChanged)),
      loop_(pa_threaded_mainloop_new()),
      playback_(exchange, notes, [this] { report(ServerState::Ready); }) {
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
        recording_.setListener({}); // the program is ending: nobody to tell
        playback_.finish();
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (!playback_.finished() && std::chrono::steady_clock::now() < deadline) {
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
        } else if (contextReady() && !playback_.isOpen() && sinks_ > 0) {
            openStream();
        }
    }
    if (context_ == nullptr) {
        report(wanted ? ServerState::Waiting : ServerState::NoServer);
    }
}

void PulseSound::listen(const Listener& listener) {
    const Lock lock(loop_);
    recording_.setListener(listener);
    if (!recording_.wanted()) {
        recording_.lose();
        return;
    }
    setTicking(true);
    if (context_ == nullptr) {
        connect();
    } else if (contextReady() && !recording_.isOpen() && sources_ > 0) {
        recording_.open(context_);
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
        [](pa_context*, void* self) { pulse::call<PulseSound, &PulseSound::contextChanged>(self); },
        this);
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
                    pulse::call<PulseSound, &PulseSound::countDevices>(self); // one came or went
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
    if (recording_.wanted() && !recording_.isOpen()) {
        if (sources_ > 0) {
            recording_.open(context_);
        } else {
            recording_.lose(); // nothing to listen to: the listener hears so at once
        }
    }
    if (sinks_ == 0) {
        playback_.close();
        report(ServerState::NoOutput);
        return;
    }
    report(ServerState::Ready);
    if (wanted_ && !playback_.isOpen()) {
        openStream();
    }
}

void PulseSound::reportInput(bool present) {
    tellChange(inputReported_, present, inputChanged_);
}

void PulseSound::openStream() {
    connectedAtUs_ = pa_rtclock_now();
    playback_.open(context_);
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
    if (playback_.failed()) {
        playback_.close();
    }
    if (recording_.failed(now)) {
        recording_.lose();
    }
    if (!wanted_ && playback_.isOpen() && playback_.diedAway()) {
        playback_.close();
    }
    if (!wanted_ && !recording_.wanted()) {
        setTicking(playback_.isOpen());
        return;
    }
    const bool stalled = wanted_ && playback_.stalled(now);
    const bool unanswered =
        context_ != nullptr && !contextReady() && now - connectedAtUs_ > connectingUs;
    if (stalled || unanswered || (context_ == nullptr && now - connectedAtUs_ >= attemptUs)) {
        connect();
        report(ServerState::Waiting);
    } else if (wanted_ && contextReady() && !playback_.isOpen() && sinks_ > 0 &&
               now - connectedAtUs_ >= attemptUs) {
        openStream();
    }
}

void PulseSound::report(ServerState state) {
    tellChange(reported_, state, stateChanged_);
}

void PulseSound::dropContext() {
    playback_.close();
    recording_.lose();
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
