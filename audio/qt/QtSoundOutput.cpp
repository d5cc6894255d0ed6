#include "QtSoundOutput.h"

#include "audio/SoundModule.h"

namespace audio {

QtSoundOutput::QtSoundOutput() = default;

// The sound ramps down and the stream closes on silence, so closing makes no click.
QtSoundOutput::~QtSoundOutput() {
    if (!player_) {
        return;
    }
    SoundSnapshot silent = last_;
    silent.on = false;
    exchange_.write(silent);
    player_->finish(closeWaitMs);
}

Player* QtSoundOutput::player() {
    if (player_) {
        return player_.get();
    }
    const SoundModule* module = soundModule();
    if (module == nullptr) {
        reason_ = tr("the sound libraries could not be loaded");
        hasInput_ = false;
        raiseAvailabilityChanged();
        return nullptr;
    }
    player_ = module->openPlayer(
        exchange_, notes_,
        [this](ServerState state) {
            QMetaObject::invokeMethod(
                this, [this, state] { stateReported(state); }, Qt::QueuedConnection);
        },
        [this](bool present) {
            QMetaObject::invokeMethod(
                this,
                [this, present] {
                    hasInput_ = present;
                    raiseAvailabilityChanged();
                },
                Qt::QueuedConnection);
        });
    return player_.get();
}

void QtSoundOutput::publish(const SoundSnapshot& snapshot) {
    const bool switched = snapshot.on != last_.on;
    last_ = snapshot;
    exchange_.write(snapshot);
    if (switched && (snapshot.on || player_)) {
        if (Player* player = this->player()) {
            player->setWanted(snapshot.on);
        }
    }
}

void QtSoundOutput::listen(const Listener& listener) {
    if (!listener.heard && !player_) {
        return;
    }
    if (Player* player = this->player()) {
        player->listen(listener);
    } else if (listener.lost) {
        listener.lost();
    }
}

void QtSoundOutput::play(const NoteEvent& event) {
    notes_.window.push({monotonicNs(), event});
}

void QtSoundOutput::startTune() {
    tunes_ = tunes_ == UINT32_MAX ? 1 : tunes_ + 1; // 0 means none
    notes_.wantedTune.store(tunes_, std::memory_order_release);
}

bool QtSoundOutput::sendTune(const TimedNote& note) {
    return notes_.tune.push({note, tunes_});
}

void QtSoundOutput::stopTune() {
    notes_.wantedTune.store(0, std::memory_order_release);
}

bool QtSoundOutput::openMidi(const std::function<void(const NoteEvent&)>& heard) {
    if (midi_) {
        return true;
    }
    const SoundModule* module = soundModule();
    if (module == nullptr) {
        return false;
    }
    midi_ = module->openMidi(notes_.midi, [this, heard](const NoteEvent& event) {
        QMetaObject::invokeMethod(
            this, [heard, event] { heard(event); }, Qt::QueuedConnection);
    });
    return midi_ != nullptr;
}

void QtSoundOutput::closeMidi() {
    midi_.reset();
}

void QtSoundOutput::stateReported(ServerState state) {
    switch (state) {
    case ServerState::Ready:
        reason_.clear();
        answered_ = true;
        break;
    case ServerState::NoServer:
        reason_ = tr("no sound server");
        break;
    case ServerState::Waiting:
        reason_ = tr("waiting for a sound server");
        break;
    case ServerState::NoOutput:
        reason_ = tr("no audio output device");
        break;
    }
    raiseAvailabilityChanged();
}

} // namespace audio
