#pragma once

// The sink's monitor, recorded by parec, for the benches that time what is heard.
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace bench {

constexpr double samplesPerMs = 48.0;
constexpr std::size_t window = 120; // 2.5 ms

// The monitor's samples, each placed in time by its read: the last sample of a read arrived
// when the read did, the ones before it as much earlier as they last. A monitor may leave gaps
// when nothing plays, so no sample is placed by counting from the first.
class Monitor {
public:
    explicit Monitor(const QString& sink = QStringLiteral("tonvirta")) {
        parec_.start(QStringLiteral("parec"),
                     {QStringLiteral("--device=%1.monitor").arg(sink),
                      QStringLiteral("--latency-msec=2"), QStringLiteral("--raw"),
                      QStringLiteral("--format=float32le"), QStringLiteral("--rate=48000"),
                      QStringLiteral("--channels=1")});
        QObject::connect(&parec_, &QProcess::readyReadStandardOutput, [this] { read(); });
        clock_.start();
    }
    Monitor(const Monitor&) = delete;
    Monitor& operator=(const Monitor&) = delete;
    ~Monitor() {
        parec_.kill();
        parec_.waitForFinished();
    }
    [[nodiscard]] bool started() { return parec_.waitForStarted(); }
    [[nodiscard]] const std::vector<float>& samples() const { return samples_; }
    [[nodiscard]] double now() const { return double(clock_.nsecsElapsed()) / 1e6; }
    // A monitor may take seconds to bring its first samples.
    [[nodiscard]] bool flowing() {
        const std::size_t had = samples_.size();
        return QTest::qWaitFor([&] { return samples_.size() > had + 24000; }, 10000);
    }

    // The level of the 2.5 ms window that starts at the given time; nothing where the
    // recording does not hold it.
    [[nodiscard]] std::optional<double> levelAt(double ms) const {
        const auto begin = static_cast<std::size_t>(
            std::lower_bound(times_.begin(), times_.end(), ms) - times_.begin());
        if (begin + window > samples_.size() || times_[begin] - ms > 2.5) {
            return std::nullopt;
        }
        double power = 0.0;
        for (std::size_t i = begin; i < begin + window; ++i) {
            power += double(samples_[i]) * samples_[i];
        }
        return std::sqrt(power / double(window));
    }

    // From an event at the given time: when the level first crossed half way between the
    // steady levels before and after it; nothing when it never changed.
    [[nodiscard]] std::optional<double> heardAfter(double eventMs) const {
        const auto before = mean(eventMs - 60, eventMs - 10);
        const auto after = mean(eventMs + 200, eventMs + 280);
        if (!before || !after || std::abs(*after - *before) < 0.02) {
            return std::nullopt;
        }
        const double half = (*before + *after) / 2;
        for (double t = eventMs; t < eventMs + 280; t += 0.5) {
            const auto level = levelAt(t);
            if (level && (*after > *before ? *level >= half : *level <= half)) {
                return t - eventMs;
            }
        }
        return std::nullopt;
    }

    // Notes heard since the given time: rises of the level past a quarter of a note's (one that
    // is let go as it rises peaks at about half) out of near silence, counted over the samples as
    // they came, whatever times they were given.
    [[nodiscard]] int notesSince(double ms) const {
        int notes = 0;
        bool sounding = false;
        const auto first = std::lower_bound(times_.begin(), times_.end(), ms) - times_.begin();
        constexpr std::size_t span = 480; // 10 ms: longer than the lowest note's period
        for (auto i = std::size_t(first); i + span <= samples_.size(); i += span / 4) {
            double power = 0.0;
            for (std::size_t j = i; j < i + span; ++j) {
                power += double(samples_[j]) * samples_[j];
            }
            const double level = std::sqrt(power / double(span));
            notes += !sounding && level > 0.04 ? 1 : 0;
            sounding = level > (sounding ? 0.01 : 0.04);
        }
        return notes;
    }

private:
    void read() {
        const QByteArray bytes = parec_.readAllStandardOutput();
        const double arrived = now();
        const std::size_t had = samples_.size();
        const std::size_t count = static_cast<std::size_t>(bytes.size()) / sizeof(float);
        if (count == 0) {
            return;
        }
        samples_.resize(had + count);
        std::memcpy(samples_.data() + had, bytes.data(), count * sizeof(float));
        for (std::size_t i = 0; i < count; ++i) {
            times_.push_back(arrived - double(count - i) / samplesPerMs);
        }
    }

    [[nodiscard]] std::optional<double> mean(double fromMs, double toMs) const {
        double sum = 0;
        int count = 0;
        for (double t = fromMs; t + 2.5 <= toMs; t += 2.5) {
            if (const auto level = levelAt(t)) {
                sum += *level;
                ++count;
            }
        }
        return count > 0 ? std::optional(sum / count) : std::nullopt;
    }

    QProcess parec_;
    QElapsedTimer clock_;
    std::vector<float> samples_;
    std::vector<double> times_; // of each sample, in ms of the clock
};

} // namespace bench
