// Edit-to-ear latency: from a box change to the first recorded sample in which the new harmonic
// is heard, through the real window, the real audio output and the sound server's null sink
// (PULSE_SERVER, a sink named "tonvirta"), recorded from the sink's monitor. Prints one line a
// change, in milliseconds; scripts/bench takes the median and the worst.
#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Samples of the monitor with the time each arrived, continuously.
class Monitor {
public:
    Monitor() {
        parec_.start(QStringLiteral("parec"),
                     {QStringLiteral("--device=tonvirta.monitor"),
                      QStringLiteral("--latency-msec=5"), QStringLiteral("--raw"),
                      QStringLiteral("--format=float32le"), QStringLiteral("--rate=48000"),
                      QStringLiteral("--channels=1")});
        clock_.start();
    }
    ~Monitor() {
        parec_.kill();
        parec_.waitForFinished();
    }
    [[nodiscard]] bool started() { return parec_.waitForStarted(); }

    // When the first window of 2.5 ms from now on is loud, in ms of this monitor's clock: the
    // later samples of a read arrived now, the earlier ones as long before as they last.
    double firstLoudSampleAt(double timeoutMs) {
        pending_.clear();
        while (clock_.elapsed() < timeoutMs + start_) {
            QTest::qWait(1);
            pending_ += parec_.readAllStandardOutput();
            const auto count = static_cast<std::size_t>(pending_.size()) / sizeof(float);
            std::vector<float> samples(count);
            std::memcpy(samples.data(), pending_.data(), count * sizeof(float));
            for (std::size_t window = 0; window + 120 <= count; window += 120) {
                double power = 0.0;
                for (std::size_t i = window; i < window + 120; ++i) {
                    power += double(samples[i]) * samples[i];
                }
                if (std::sqrt(power / 120.0) > 0.05) {
                    return double(clock_.nsecsElapsed()) / 1e6 - double(count - window) / 48.0;
                }
            }
        }
        return -1.0;
    }
    void skip() { (void)parec_.readAllStandardOutput(); }
    double now() {
        start_ = clock_.elapsed();
        return double(clock_.nsecsElapsed()) / 1e6;
    }

private:
    QProcess parec_;
    QElapsedTimer clock_;
    QByteArray pending_;
    qint64 start_ = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    const QApplication application(argc, argv);
    const auto window = app::createMainWindow();
    window->show();
    auto* sound = window->findChild<QAction*>(QStringLiteral("soundAction"));
    sound->setChecked(true);
    if (!QTest::qWaitFor([sound] { return sound->text() == QStringLiteral("Sound"); }, 5000)) {
        std::fprintf(stderr, "edit-to-ear: no sound output (%s)\n", qPrintable(sound->text()));
        return 1;
    }
    Monitor monitor;
    if (!monitor.started()) {
        std::fprintf(stderr, "edit-to-ear: parec did not start\n");
        return 1;
    }
    QTest::qWait(3000); // the stream and the recording start
    auto* box = window->findChild<QLineEdit*>(QStringLiteral("harmonika_0"));
    for (int change = 0; change < 20; ++change) {
        box->setText(QStringLiteral("0"));
        QTest::qWait(300);
        monitor.skip();
        const double changed = monitor.now();
        box->setText(QStringLiteral("200"));
        const double heard = monitor.firstLoudSampleAt(2000);
        if (heard < 0) {
            std::fprintf(stderr, "edit-to-ear: the change was never heard\n");
            return 1;
        }
        std::printf("%.1f\n", heard - changed);
    }
    return 0;
}
