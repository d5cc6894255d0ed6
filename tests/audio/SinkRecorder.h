#pragma once

#include <QProcess>
#include <QTest>
#include <cstring>
#include <vector>

// What the null sink of the sound server in PULSE_SERVER plays, recorded from the sink's
// monitor as 48 kHz mono samples from the moment the recorder is made.
class SinkRecorder {
public:
    SinkRecorder() {
        parec_.start("parec", {"--device=tonvirta.monitor", "--latency-msec=20", "--raw",
                               "--format=float32le", "--rate=48000", "--channels=1"});
    }
    ~SinkRecorder() {
        parec_.kill();
        parec_.waitForFinished();
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
