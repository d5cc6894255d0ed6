#include "AudioWorker.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace audio {
namespace {

// Small enough that a change is heard within a few tens of milliseconds, topped up often
// enough that it never runs dry.
constexpr double bufferSeconds = 0.04;
constexpr int feedIntervalMs = 5;
constexpr int lookupIntervalMs = 500;
// Long enough for a ramp down to reach the device before the stream closes.
constexpr int stopDelayMs = 200;

} // namespace

AudioWorker::AudioWorker(SnapshotExchange<SoundSnapshot>& exchange) : exchange_(exchange) {
    stopTimer_.setSingleShot(true);
    stopTimer_.setInterval(stopDelayMs);
    connect(&stopTimer_, &QTimer::timeout, this, &AudioWorker::stopWhenSilent);
    lookupTimer_.setSingleShot(true);
    lookupTimer_.setInterval(lookupIntervalMs);
    connect(&lookupTimer_, &QTimer::timeout, this, &AudioWorker::findDevice);
    feedTimer_.setInterval(feedIntervalMs);
    feedTimer_.setTimerType(Qt::PreciseTimer);
    connect(&feedTimer_, &QTimer::timeout, this, &AudioWorker::topUp);
}

AudioWorker::~AudioWorker() = default;

// Called at start, when the sound system's devices change, and a few more times while none
// is found: the sound system may still be listing its devices when first asked.
void AudioWorker::findDevice() {
    if (!devices_) {
        devices_ = std::make_unique<QMediaDevices>();
        connect(devices_.get(), &QMediaDevices::audioOutputsChanged, this,
                &AudioWorker::findDevice);
    }
    const QAudioDevice found = QMediaDevices::defaultAudioOutput();
    if (found == device_ && !device_.isNull()) {
        return;
    }
    close();
    device_ = found;
    if (device_.isNull()) {
        if (lookupsLeft_-- > 0) {
            lookupTimer_.start();
        }
        emit availability(QStringLiteral("No audio output device"));
        return;
    }
    format_.setSampleRate(std::clamp(device_.preferredFormat().sampleRate(), 8000, 192000));
    format_.setChannelCount(1);
    format_.setSampleFormat(QAudioFormat::Int16);
    if (!device_.isFormatSupported(format_)) {
        emit availability(QStringLiteral("The audio device takes no 16-bit mono sound"));
        return;
    }
    emit availability(QString());
    if (playing_) {
        setPlaying(true);
    }
}

void AudioWorker::setPlaying(bool playing) {
    playing_ = playing;
    if (!playing) {
        stopTimer_.start();
        return;
    }
    stopTimer_.stop();
    if (sink_ || device_.isNull()) {
        return;
    }
    synthesizer_.emplace(format_.sampleRate());
    sink_ = std::make_unique<QAudioSink>(device_, format_);
    sink_->setBufferSize(
        static_cast<qsizetype>(format_.bytesForDuration(static_cast<qint64>(bufferSeconds * 1e6))));
    connect(sink_.get(), &QAudioSink::stateChanged, this, &AudioWorker::stateChanged);
    stream_ = sink_->start();
    topUp();
    feedTimer_.start();
}

void AudioWorker::topUp() {
    if (!sink_ || stream_ == nullptr) {
        return;
    }
    const auto count = static_cast<std::size_t>(sink_->bytesFree()) / sizeof(std::int16_t);
    if (count == 0) {
        return;
    }
    synthesizer_->set(exchange_.read());
    block_.resize(count);
    pcm_.resize(count);
    synthesizer_->render(block_);
    std::transform(block_.begin(), block_.end(), pcm_.begin(), [](float sample) {
        return static_cast<std::int16_t>(std::lround(sample * 32767.0F));
    });
    const qint64 bytes =
        static_cast<qint64>(pcm_.size()) * static_cast<qint64>(sizeof(std::int16_t));
    stream_->write(reinterpret_cast<const char*>(pcm_.data()), bytes);
}

void AudioWorker::stopWhenSilent() {
    if (!playing_ && sink_ && synthesizer_->silent()) {
        close();
    } else if (!playing_ && sink_) {
        stopTimer_.start();
    }
}

void AudioWorker::close() {
    stopTimer_.stop();
    feedTimer_.stop();
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
    }
    sink_.reset();
    stream_ = nullptr;
}

// Running dry now and then is not a failure; a stream that stopped with an error is.
void AudioWorker::stateChanged() {
    if (sink_ && sink_->state() == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
        close();
        emit availability(QStringLiteral("The audio device failed"));
    }
}

} // namespace audio
