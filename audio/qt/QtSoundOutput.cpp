#include "QtSoundOutput.h"

namespace audio {

QtSoundOutput::QtSoundOutput()
    : player_(std::make_unique<PulseSound>(
          exchange_,
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
          })) {}

// The sound ramps down and the stream closes on silence, so closing makes no click.
QtSoundOutput::~QtSoundOutput() {
    SoundSnapshot silent = last_;
    silent.on = false;
    exchange_.write(silent);
    player_->finish(closeWaitMs);
}

void QtSoundOutput::publish(const SoundSnapshot& snapshot) {
    const bool switched = snapshot.on != last_.on;
    last_ = snapshot;
    exchange_.write(snapshot);
    if (switched) {
        player_->setWanted(snapshot.on);
    }
}

void QtSoundOutput::stateReported(ServerState state) {
    switch (state) {
    case ServerState::Ready:
        reason_.clear();
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
