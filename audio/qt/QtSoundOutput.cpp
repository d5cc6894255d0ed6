#include "QtSoundOutput.h"

#include "AudioWorker.h"

namespace audio {

QtSoundOutput::QtSoundOutput()
    : worker_(new AudioWorker(exchange_)),
      reason_(QStringLiteral("Looking for an audio output device")) {
    thread_.setObjectName(QStringLiteral("audio"));
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &AudioWorker::availability, this, &QtSoundOutput::availabilityReported);
    thread_.start();
    // Asking the sound system about devices may take a while; the window does not wait for it.
    QMetaObject::invokeMethod(worker_, &AudioWorker::findDevice, Qt::QueuedConnection);
}

QtSoundOutput::~QtSoundOutput() {
    QMetaObject::invokeMethod(worker_, &AudioWorker::close, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

void QtSoundOutput::publish(const SoundSnapshot& snapshot) {
    exchange_.write(snapshot);
    const bool playing = snapshot.on && reason_.isEmpty();
    if (playing != playing_) {
        playing_ = playing;
        QMetaObject::invokeMethod(worker_,
                                  [worker = worker_, playing] { worker->setPlaying(playing); });
    }
}

void QtSoundOutput::availabilityReported(const QString& reason) {
    reason_ = reason;
    if (!reason_.isEmpty()) {
        playing_ = false;
    }
    raiseAvailabilityChanged();
}

} // namespace audio
