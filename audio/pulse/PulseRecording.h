#pragma once

#include "audio/SoundOutput.h"

#include <cstdint>

struct pa_context;
struct pa_stream;

namespace audio {

// Listening to the default input: a record stream on the server's context whose samples go to
// the listener as they come; when it fails, goes quiet or is closed, the listener hears that it
// has gone, once.
class PulseRecording {
public:
    PulseRecording() = default;
    PulseRecording(const PulseRecording&) = delete;
    PulseRecording& operator=(const PulseRecording&) = delete;
    ~PulseRecording() { close(); }

    // A listener with nothing to hear wants nothing.
    void setListener(const Listener& listener) { listener_ = listener; }
    [[nodiscard]] bool wanted() const { return static_cast<bool>(listener_.heard); }
    [[nodiscard]] bool isOpen() const { return stream_ != nullptr; }
    void open(pa_context* context);
    // The stream has failed, or brought nothing for longer than a stream that works ever does.
    [[nodiscard]] bool failed(std::uint64_t nowUs) const;
    // Closed, and the listener told, if there is one.
    void lose();

private:
    void close();
    void recorded();

    Listener listener_;
    pa_stream* stream_ = nullptr;
    std::uint64_t lastHeardUs_ = 0; // when the input last brought samples
};

} // namespace audio
