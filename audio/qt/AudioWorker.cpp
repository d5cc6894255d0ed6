#include "AudioWorker.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <QThread>
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
// The sound server may still be listing its devices, or be on its way back after a restart.
constexpr int retryIntervalMs = 1000;
// Long enough for a ramp down to reach the device before the stream closes.
constexpr int stopDelayMs = 200;
// Buffers of silence written before the stream closes at the end.
constexpr std::size_t silenceBeforeClosing = 3;

} // namespace

AudioWorker::AudioWorker(SnapshotExchange<SoundSnapshot>& exchange) : exchange_(exchange) {
    stopTimer_.setSingleShot(true);
    stopTimer_.setInterval(stopDelayMs);
    connect(&stopTimer_, &QTimer::timeout, this, &AudioWorker::stopWhenSilent);
    retryTimer_.setInterval(retryIntervalMs);
    connect(&retryTimer_, &QTimer::timeout, this, &AudioWorker::retry);
    feedTimer_.setInterval(feedIntervalMs);
    feedTimer_.setTimerType(Qt::PreciseTimer);
    connect(&feedTimer_, &QTimer::timeout, this, &AudioWorker::topUp);
}

AudioWorker::~AudioWorker() = default;

// At start and when the sound system's devices change.
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
        retryTimer_.start();
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
    retryTimer_.stop();
    emit availability(QString());
    if (playing_) {
        openOrRetry();
    }
}

// A server that has only just come back may still refuse a stream: then keep trying.
void AudioWorker::openOrRetry() {
    if (!open()) {
        retryTimer_.start();
        emit availability(QStringLiteral("The sound server does not answer; trying again"));
    }
}

// A server that answers takes a stream; one that is gone refuses it at once.
bool AudioWorker::open() {
    if (sink_) {
        return true;
    }
    sink_ = std::make_unique<QAudioSink>(device_, format_);
    sink_->setBufferSize(
        static_cast<qsizetype>(format_.bytesForDuration(static_cast<qint64>(bufferSeconds * 1e6))));
    stream_ = sink_->start();
    if (stream_ == nullptr || sink_->error() != QAudio::NoError) {
        sink_.reset();
        stream_ = nullptr;
        return false;
    }
    connect(sink_.get(), &QAudioSink::stateChanged, this, &AudioWorker::stateChanged);
    synthesizer_.emplace(format_.sampleRate());
    topUp();
    feedTimer_.start();
    return true;
}

void AudioWorker::retry() {
    if (device_.isNull()) {
        findDevice();
        return;
    }
    // After a restart the server lists its devices afresh.
    const QAudioDevice found = QMediaDevices::defaultAudioOutput();
    device_ = found.isNull() ? device_ : found;
    if (!open()) {
        return;
    }
    retryTimer_.stop();
    emit availability(QString());
    if (!playing_) {
        close();
    }
}

void AudioWorker::setPlaying(bool playing) {
    playing_ = playing;
    if (!playing) {
        stopTimer_.start();
        return;
    }
    stopTimer_.stop();
    if (!device_.isNull() && !retryTimer_.isActive()) {
        openOrRetry();
    }
}

void AudioWorker::finish() {
    playing_ = false;
    finishing_ = true;
    retryTimer_.stop();
    stopTimer_.stop();
    if (!sink_) {
        thread()->quit();
    }
}

void AudioWorker::topUp() {
    if (!sink_ || stream_ == nullptr) {
        return;
    }
    // A stream whose server has just gone away may report a negative amount free.
    const qsizetype free = std::min(sink_->bytesFree(), sink_->bufferSize());
    const auto count = free > 0 ? static_cast<std::size_t>(free) / sizeof(std::int16_t) : 0;
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
    // The server still holds up to a buffer written before the silence began: once more than
    // that has been written since, all sound has played, and the stream stops on silence.
    silenceWritten_ = synthesizer_->silent() ? silenceWritten_ + count : 0;
    if (finishing_ && silenceWritten_ >= silenceBeforeClosing *
                                             static_cast<std::size_t>(sink_->bufferSize()) /
                                             sizeof(std::int16_t)) {
        close();
        thread()->quit();
    }
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

// Running dry now and then is not a failure; a stream that stopped with an error is. The
// server has gone away or failed: try again until one answers.
void AudioWorker::stateChanged() {
    if (sink_ && sink_->state() == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
        close();
        if (finishing_) {
            thread()->quit();
            return;
        }
        retryTimer_.start();
        emit availability(QStringLiteral("The sound server stopped; trying again"));
    }
}

} // namespace audio
