#include "audio/Resample.h"
#include "audio/SoundExport.h"
#include "audio/SoundModule.h"
#include "audio/pipewire/MidiInput.h"
#include "audio/pulse/PulseSound.h"

namespace {

std::unique_ptr<audio::Player> openPlayer(audio::SnapshotExchange<audio::SoundSnapshot>& exchange,
                                          audio::NoteInbox& notes,
                                          std::function<void(audio::ServerState)> stateChanged,
                                          std::function<void(bool)> inputChanged) {
    return std::make_unique<audio::PulseSound>(exchange, notes, std::move(stateChanged),
                                               std::move(inputChanged));
}

std::shared_ptr<void> openMidi(audio::NoteQueue& queue,
                               std::function<void(const audio::NoteEvent&)> heard) {
    return audio::MidiInput::open(queue, std::move(heard));
}

std::optional<analysis::Sound> readSoundFile(const std::string& path) {
    return analysis::readSound(path);
}

} // namespace

extern "C" [[gnu::visibility("default")]] const audio::SoundModule* tonvirta_sound_module() {
    static constexpr audio::SoundModule module{openPlayer,        openMidi,
                                               readSoundFile,     audio::exportSound,
                                               audio::writeSound, audio::resample};
    return &module;
}
