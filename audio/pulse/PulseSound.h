#pragma once

#include "PulsePlayback.h"
#include "PulseRecording.h"
#include "audio/Player.h"
#include "audio/SnapshotExchange.h"
#include "audio/SoundSnapshot.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_time_event;
struct pa_mainloop_api;
struct timeval;

namespace audio {

// Plays the newest snapshot on the sound server's default output, and listens to its default
// input when asked, through libpulse, which PulseAudio and PipeWire's pulse server both answer.
// Everything that talks to the server runs on libpulse's own thread and never waits for it, so a
// server that hangs holds up nothing. A server that goes away, comes later than the program or
// hands back a stream that takes nothing is tried again once a second for as long as sound is
// wanted, and not at all otherwise.
class PulseSound final : public Player {
public:
    static constexpr int sampleRate = pulse::sampleRate;

    // Told of every change of state, and whether there is an input, on libpulse's thread.
    PulseSound(SnapshotExchange<SoundSnapshot>& exchange, NoteInbox& notes,
               std::function<void(ServerState)> stateChanged,
               std::function<void(bool)> inputChanged);
    PulseSound(const PulseSound&) = delete;
    PulseSound& operator=(const PulseSound&) = delete;
    ~PulseSound() override;

    void finish(int waitMs) override;
    void setWanted(bool wanted) override;
    void listen(const Listener& listener) override;

private:
    class Lock;

    void connect();
    void dropContext();
    void contextChanged();
    void countDevices();
    void counting(bool one, bool sources);
    void devicesCounted();
    void reportInput(bool present);
    void openStream();
    void tick();
    void setTicking(bool on);
    void report(ServerState state);
    [[nodiscard]] bool contextReady() const;

    static void onTick(pa_mainloop_api* api, pa_time_event* event, const timeval* when, void* self);

    std::function<void(ServerState)> stateChanged_;
    std::function<void(bool)> inputChanged_;
    pa_threaded_mainloop* loop_;
    pa_context* context_ = nullptr;
    pa_time_event* ticker_ = nullptr;
    PulsePlayback playback_;
    PulseRecording recording_;
    std::optional<ServerState> reported_;
    std::uint32_t sinks_ = 0;
    std::uint32_t sources_ = 0;
    std::uint32_t counting_ = 0;
    std::optional<bool> inputReported_;
    bool wanted_ = false;
    bool finishing_ = false;
    std::uint64_t connectedAtUs_ = 0; // the last attempt to reach a server
};

} // namespace audio
