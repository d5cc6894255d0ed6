#pragma once

#include "NoteQueue.h"
#include "Player.h"
#include "SnapshotExchange.h"
#include "SoundSnapshot.h"
#include "analysis/SoundFile.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace audio {

// What needs the sound libraries (libpulse to play and listen, libsndfile to read and write
// sound files) lives in a module of its own, loaded the first time any of it is wanted: a user
// who only looks at waves pays for none of it at start, in memory or in time.
struct SoundModule {
    std::unique_ptr<Player> (*openPlayer)(SnapshotExchange<SoundSnapshot>& exchange,
                                          NoteInbox& notes,
                                          std::function<void(ServerState)> stateChanged,
                                          std::function<void(bool)> inputChanged);
    // An input port on PipeWire's graph, its notes into the queue and told through `heard` on
    // PipeWire's thread; nothing where no PipeWire answers. Closed by the returned handle.
    std::shared_ptr<void> (*openMidi)(NoteQueue& queue,
                                      std::function<void(const NoteEvent&)> heard);
    std::optional<analysis::Sound> (*readSound)(const std::string& path);
    std::string (*exportSound)(const std::filesystem::path& path, SoundSnapshot snapshot);
    std::string (*writeSound)(const std::filesystem::path& path, std::span<const float> samples,
                              int rate);
    std::vector<float> (*resample)(std::span<const float> samples, double from, double to);
};

// The module, loaded on the first call from any thread; nothing when it cannot be loaded (a
// broken installation), which the callers report as sound they cannot have.
const SoundModule* soundModule();

} // namespace audio

// The module's one entry point.
extern "C" const audio::SoundModule* tonvirta_sound_module();
