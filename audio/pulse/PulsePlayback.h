#pragma once

#include "PulseTimes.h"
#include "audio/Engine.h"
#include "audio/SnapshotExchange.h"
#include "audio/SoundSnapshot.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

struct pa_context;
struct pa_stream;

namespace audio {

// The stream that plays: the engine's blocks, rendered from the newest snapshot and the notes in
// the inbox, as the server asks for them. It keeps twice as much ahead each time it runs dry, up
// to a limit, and counts the silence it has written, so that it can be closed once the sound has
// died away.
class PulsePlayback {
public:
    PulsePlayback(SnapshotExchange<SoundSnapshot>& exchange, NoteInbox& notes,
                  std::function<void()> ready);
    PulsePlayback(const PulsePlayback&) = delete;
    PulsePlayback& operator=(const PulsePlayback&) = delete;
    ~PulsePlayback() { close(); }

    // A stream opened anew starts from silence, so a sound that comes back fades in.
    void open(pa_context* context);
    void close();
    [[nodiscard]] bool isOpen() const { return stream_ != nullptr; }
    [[nodiscard]] bool failed() const;
    // Ready, but not asked for samples for longer than a stream that plays ever leaves it.
    [[nodiscard]] bool stalled(std::uint64_t nowUs) const;
    // Silent for long enough that everything before has reached the output.
    [[nodiscard]] bool diedAway() const {
        return silenceWritten_ >= std::size_t{pulse::closingBuffers} * playSamples_;
    }
    // The program is ending: finished() once the sound has died away, or at once if nothing is
    // playing.
    void finish();
    [[nodiscard]] bool finished() const { return finished_; }

private:
    void changed();
    void write(std::size_t bytes);
    void ranDry();

    SnapshotExchange<SoundSnapshot>& exchange_;
    NoteInbox& notes_;
    std::function<void()> ready_;
    pa_stream* stream_ = nullptr;
    Engine engine_{pulse::sampleRate};
    std::vector<float> block_;
    std::uint32_t playSamples_ = pulse::bufferSamples; // held by the server ahead of its output
    bool realtimeAsked_ = false;      // by the thread that writes, the first time it does
    std::uint64_t lastRequestUs_ = 0; // when the stream last asked for samples
    bool filling_ = false;            // its first request, as it opens, is still to come
    std::size_t silenceWritten_ = 0;  // samples since the sound went silent
    bool finishing_ = false;
    std::atomic<bool> finished_{false}; // the last silence has been taken
};

} // namespace audio
