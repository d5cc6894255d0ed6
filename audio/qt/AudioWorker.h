#pragma once

#include "audio/SnapshotExchange.h"
#include "audio/SoundSnapshot.h"
#include "audio/Synthesizer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QIODevice>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QAudioSink;
class QMediaDevices;

namespace audio {

// Lives on the audio thread: finds the device, opens and closes the stream, and keeps the
// device's buffer topped up with samples from the synthesizer, fed the newest snapshot. When the
// sound server goes away it keeps trying until one answers again.
class AudioWorker final : public QObject {
    Q_OBJECT

public:
    explicit AudioWorker(SnapshotExchange<SoundSnapshot>& exchange);
    ~AudioWorker() override;

    void findDevice();
    void setPlaying(bool playing);
    // Lets the sound die away, plays out a buffer of silence, closes the stream and ends the
    // thread. The snapshot in the exchange must be switched off by then.
    void finish();

signals:
    // Empty when sound can be played; otherwise why not.
    void availability(const QString& reason);

private:
    bool open();
    void openOrRetry();
    void close();
    void retry();
    void stopWhenSilent();
    void stateChanged();
    void topUp();

    SnapshotExchange<SoundSnapshot>& exchange_;
    QAudioDevice device_;
    QAudioFormat format_;
    std::optional<Synthesizer> synthesizer_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* stream_ = nullptr; // owned by the sink
    std::vector<float> block_;
    std::vector<std::int16_t> pcm_;
    std::unique_ptr<QMediaDevices> devices_; // made on the audio thread, to hear of device changes
    QTimer retryTimer_{this};
    QTimer feedTimer_{this}; // children move to the audio thread with the worker
    QTimer stopTimer_{this};
    bool playing_ = false;
    bool finishing_ = false;
    std::size_t silenceWritten_ = 0; // samples, while finishing
};

} // namespace audio
