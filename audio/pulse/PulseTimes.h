#pragma once

#include <cstdint>

// What the server link waits for and keeps, in one place for the stream that plays, the one that
// records and the connection that makes them.
namespace audio::pulse {

inline constexpr int sampleRate = 48000;
// What the server holds of ours ahead of its output: a change is heard after it. Half of it
// takes PulseAudio's median from the click to the ear from 22 to 15 ms, but leaves a gap under
// full load; PipeWire's graph adds the same whatever we ask.
inline constexpr std::uint32_t bufferSamples = sampleRate / 50; // 20 ms
// A stream that runs dry all the same (the machine too busy to give us our turn in time) keeps
// twice as much from then on, up to this: a little later is better than a gap every time.
inline constexpr std::uint32_t mostBufferSamples = 4 * bufferSamples;
// Longer than any gap between two requests of a stream that plays, even on a busy machine.
inline constexpr std::uint64_t stalledUs = 600'000;
// A sink that has been idle may take most of a second to take a new stream's first samples.
inline constexpr std::uint64_t startingUs = 1'500'000;
// Once three buffers of silence have been taken, everything before has reached the output.
inline constexpr std::uint32_t closingBuffers = 3;

// libpulse's callbacks are plain functions with a pointer to their object.
template <class Object, void (Object::*handler)()> void call(void* self) {
    (static_cast<Object*>(self)->*handler)();
}

} // namespace audio::pulse
