#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <cstring>
#include <vector>

// The private sound server that scripts/test starts: whether it is there, and what its null
// sink is playing, recorded from the sink's monitor as 48 kHz mono samples.
namespace sink_recorder {

inline bool serverRunning() {
    return !qEnvironmentVariableIsEmpty("PULSE_SERVER") &&
           !QStandardPaths::findExecutable("parec").isEmpty();
}

// Up to the given number of samples, waiting at most 15 s for them.
inline std::vector<float> record(std::size_t count) {
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
    (void)QTest::qWaitFor(
        [&] {
            raw += recorder.readAllStandardOutput();
            return raw.size() >= wanted;
        },
        15000);
    recorder.kill();
    recorder.waitForFinished();
    std::vector<float> samples(static_cast<std::size_t>(raw.size()) / sizeof(float));
    std::memcpy(samples.data(), raw.data(), samples.size() * sizeof(float));
    return samples;
}

} // namespace sink_recorder
