#pragma once

#include "audio/SnapshotExchange.h"
#include "audio/SoundOutput.h"

#include <QObject>
#include <QString>

class QThread;

namespace audio {

class AudioWorker;

// Sound through the default audio output device, rendered on a thread of its own. The window's
// thread only drops snapshots into an exchange that the audio thread reads without waiting;
// looking for the device, opening it and its failures all happen on the audio thread, and
// come back here as a short reason when sound cannot be played.
class QtSoundOutput final : public QObject, public SoundOutput {
    Q_OBJECT

public:
    // How long closing waits for the sound to die away; a sound server that does not answer
    // must not hold up the program's end.
    static constexpr int closeWaitMs = 400;

    QtSoundOutput();
    QtSoundOutput(const QtSoundOutput&) = delete;
    QtSoundOutput& operator=(const QtSoundOutput&) = delete;
    ~QtSoundOutput() override;

    [[nodiscard]] std::string unavailableReason() const override { return reason_.toStdString(); }
    void publish(const SoundSnapshot& snapshot) override;

private:
    void availabilityReported(const QString& reason);
    void updatePlaying();

    SnapshotExchange<SoundSnapshot> exchange_;
    SoundSnapshot last_;
    QThread* thread_;
    AudioWorker* worker_;
    QString reason_;
    bool playing_ = false;
};

} // namespace audio
