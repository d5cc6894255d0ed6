#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <cstring>
#include <functional>
#include <vector>

// What the null sink of the sound server in PULSE_SERVER is playing, recorded from the sink's
// monitor as 48 kHz mono samples.
namespace sink_recorder {

// Up to the given number of samples, waiting at most 15 s for them. The action, if any, runs
// once the recording holds the given number of samples; after it the recording also ends when
// nothing more has come for half a second (a sink with nothing to play may give nothing).
inline std::vector<float> record(std::size_t count, std::size_t actAt = 0,
                                 const std::function<void()>& action = {}) {
    QProcess recorder;
    recorder.start(QStringLiteral("parec"),
                   {QStringLiteral("--device=tonvirta.monitor"),
                    QStringLiteral("--latency-msec=20"), QStringLiteral("--raw"),
                    QStringLiteral("--format=float32le"), QStringLiteral("--rate=48000"),
                    QStringLiteral("--channels=1")});
    if (!recorder.waitForStarted()) {
        return {};
    }
    QByteArray raw;
    const auto wanted = static_cast<qsizetype>(count * sizeof(float));
    bool acted = !action;
    QElapsedTimer quiet;
    quiet.start();
    (void)QTest::qWaitFor(
        [&] {
            const QByteArray more = recorder.readAllStandardOutput();
            raw += more;
            if (!more.isEmpty()) {
                quiet.restart();
            }
            if (!acted && raw.size() >= static_cast<qsizetype>(actAt * sizeof(float))) {
                acted = true;
                action();
                quiet.start();
            }
            return raw.size() >= wanted || (acted && action && quiet.elapsed() > 500);
        },
        15000);
    recorder.kill();
    recorder.waitForFinished();
    std::vector<float> samples(static_cast<std::size_t>(raw.size()) / sizeof(float));
    std::memcpy(samples.data(), raw.data(), samples.size() * sizeof(float));
    return samples;
}

} // namespace sink_recorder
