#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <cstring>
#include <functional>
#include <span>
#include <vector>

// What the null sink of the sound server in PULSE_SERVER plays, recorded from the sink's
// monitor as 48 kHz mono samples from the moment the recorder is made until it goes.
class SinkRecorder {
public:
    SinkRecorder() {
        parec_.start("parec", {"--device=tonvirta.monitor", "--latency-msec=20", "--raw",
                               "--format=float32le", "--rate=48000", "--channels=1"});
    }

    // Everything recorded so far, once that is the given number of samples, or nothing more has
    // come for a second (a sink with nothing to play may give nothing). Events go on meanwhile.
    std::vector<float> samples(std::size_t count) {
        while (raw_.size() < qsizetype(count * sizeof(float)) &&
               QTest::qWaitFor([this] { return parec_.bytesAvailable() > 0; }, 1000)) {
            raw_ += parec_.readAllStandardOutput();
        }
        std::vector<float> samples(static_cast<std::size_t>(raw_.size()) / sizeof(float));
        if (!samples.empty()) {
            std::memcpy(samples.data(), raw_.data(), samples.size() * sizeof(float));
        }
        return samples;
    }

private:
    QProcess parec_;
    QByteArray raw_;
};

// Milliseconds from now until the last tenth of a second recorded passes the check, which is
// also shown all that came before it; -1 if that takes over 10 s.
inline double msUntilHeard(
    const std::function<bool(std::span<const float> last, std::span<const float> all)>& heard) {
    QElapsedTimer clock;
    clock.start();
    SinkRecorder recorder;
    for (std::size_t end = 4800; clock.elapsed() < 10000; end += 2400) {
        const auto samples = recorder.samples(end);
        if (samples.size() >= end && heard(std::span(samples).last(4800), samples)) {
            return double(clock.elapsed());
        }
    }
    return -1.0;
}
