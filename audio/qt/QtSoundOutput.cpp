#include "QtSoundOutput.h"

#include "AudioWorker.h"

#include <QDeadlineTimer>
#include <QThread>

namespace audio {

QtSoundOutput::QtSoundOutput()
    : thread_(new QThread), worker_(new AudioWorker(exchange_)),
      reason_(QStringLiteral("Looking for an audio output device")) {
    thread_->setObjectName(QStringLiteral("audio"));
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &AudioWorker::availability, this, &QtSoundOutput::availabilityReported);
    thread_->start();
    // Asking the sound system about devices may take a while; the window does not wait for it.
    QMetaObject::invokeMethod(worker_, &AudioWorker::findDevice, Qt::QueuedConnection);
}

// The sound ramps down and the stream closes on a whole buffer of silence, so closing makes no
// click. An audio thread stuck on a server that does not answer is left behind, and ends with
// the process.
QtSoundOutput::~QtSoundOutput() {
    worker_->disconnect(this);
    SoundSnapshot silent = last_;
    silent.on = false;
    exchange_.write(silent);
    QMetaObject::invokeMethod(worker_, &AudioWorker::finish, Qt::QueuedConnection);
    if (thread_->wait(QDeadlineTimer(closeWaitMs))) {
        delete thread_;
    }
}

void QtSoundOutput::publish(const SoundSnapshot& snapshot) {
    last_ = snapshot;
    exchange_.write(snapshot);
    updatePlaying();
}

void QtSoundOutput::availabilityReported(const QString& reason) {
    reason_ = reason;
    updatePlaying();
    raiseAvailabilityChanged();
}

// Sound plays while it is wanted and can be; wanted across a server's restart, it comes back.
void QtSoundOutput::updatePlaying() {
    const bool playing = last_.on && reason_.isEmpty();
    if (playing != playing_) {
        playing_ = playing;
        QMetaObject::invokeMethod(worker_,
                                  [worker = worker_, playing] { worker->setPlaying(playing); });
    }
}

} // namespace audio
