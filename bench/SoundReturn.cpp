// How long the sound takes to come back once a sound server answers: after the server was killed
// as a crash kills it and stayed away for a while, and when it first starts some time after the
// program. The real window plays harmonics 1 and 3 at 440 Hz and full volume into a server of its
// own; each try is timed from the server answering to the first tenth of a second of its sink's
// monitor that carries both at their level. Prints one line a case: its name and the times in
// seconds, "never" for a sound not back within 10 s.
// Usage: tonvirta_sound_return pulseaudio|pipewire [tries]
// With "listen" instead: the time from a tone starting at the input (a recording played into
// the sink whose monitor is the default input) to the listening window's boxes showing it, ten
// times, in milliseconds, then the median.
#include "app/MainWindow.h"
#include "audio/SoundExport.h"
#include "tests/audio/SinkRecorder.h"
#include "tests/audio/ToneMeter.h"
#include "tests/support/PrivateSoundServer.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

using testing_support::PrivateSoundServer;

std::unique_ptr<app::Program> playingWindow() {
    auto program = app::createMainWindow();
    app::Form1* window = &program->window();
    window->show();
    window->findChild<QLineEdit*>(QStringLiteral("harmonika_0"))->setText(QStringLiteral("100"));
    window->findChild<QLineEdit*>(QStringLiteral("harmonika_2"))->setText(QStringLiteral("30"));
    for (QAction* item : window->findChildren<QAction*>()) {
        if (item->text() == QStringLiteral("440 Hz") || item->text() == QStringLiteral("100 %")) {
            item->trigger();
        }
    }
    window->findChild<QAction*>(QStringLiteral("soundAction"))->setChecked(true);
    return program;
}

// Seconds from now until the sound is heard as it should be, or a negative number.
double secondsUntilHeard() {
    return msUntilHeard([](std::span<const float> last, std::span<const float>) {
               return std::abs(400.0 * tone::level(last, 440.0) - 100.0) < 4.0 &&
                      std::abs(400.0 * tone::level(last, 1320.0) - 30.0) < 2.0;
           }) /
           1000.0;
}

void print(const char* name, const std::vector<double>& seconds) {
    std::printf("%-24s", name);
    for (const double s : seconds) {
        s < 0.0 ? std::printf(" never") : std::printf(" %.2f", s);
    }
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

int listenLatency(PrivateSoundServer& server) {
    const QString recording = QDir::temp().filePath("tonvirta-listen-bench.wav");
    if (!server.start() ||
        QProcess::execute("pactl", {"set-default-source", "tonvirta.monitor"}) != 0 ||
        !audio::exportSound(recording.toStdString(), {{100, 0, 30}, 330.0, 0.5, true}).empty()) {
        std::fprintf(stderr, "sound-return: no sound server (scripts/install-deps?)\n");
        return 1;
    }
    const auto program = app::createMainWindow();
    app::Form1* window = &program->window();
    window->show();
    auto* listen = window->findChild<QAction*>(QStringLiteral("listenAction"));
    auto* third = window->findChild<QLineEdit*>(QStringLiteral("harmonika_2"));
    if (!QTest::qWaitFor([listen] { return listen->isEnabled(); }, 5000)) {
        std::fprintf(stderr, "sound-return: no input to listen to\n");
        return 1;
    }
    listen->setChecked(true);
    std::vector<double> times;
    for (int i = 0; i < 10; ++i) {
        QTest::qWait(1500); // the boxes settle on silence again
        third->setText(QStringLiteral("0"));
        QProcess player;
        QElapsedTimer clock;
        clock.start();
        player.start(QStringLiteral("paplay"),
                     {QStringLiteral("-d"), QStringLiteral("tonvirta"), recording});
        const bool shown =
            QTest::qWaitFor([third] { return third->text() == QStringLiteral("30"); }, 3000);
        times.push_back(shown ? double(clock.elapsed()) : 1e9);
        std::printf("%.0f\n", times.back());
        player.kill();
        player.waitForFinished();
    }
    std::sort(times.begin(), times.end());
    std::printf("median %.0f ms\n", (times[4] + times[5]) / 2);
    // What listening costs, the window's own ticks included: CPU time over 5 s of a tone.
    QProcess player;
    player.start(QStringLiteral("paplay"),
                 {QStringLiteral("-d"), QStringLiteral("tonvirta"), recording});
    QTest::qWait(500);
    const std::clock_t before = std::clock();
    QTest::qWait(5000);
    std::printf("cpu %.1f %%\n", 100.0 * double(std::clock() - before) / CLOCKS_PER_SEC / 5.0);
    player.kill();
    player.waitForFinished();
    return 0;
}

int main(int argc, char* argv[]) {
    const QApplication application(argc, argv);
    if (argc > 1 && std::string(argv[1]) == "listen") {
        PrivateSoundServer server(PrivateSoundServer::Kind::PulseAudio);
        return listenLatency(server);
    }
    const bool pipewire = argc > 1 && std::string(argv[1]) == "pipewire";
    const int tries = argc > 2 ? std::atoi(argv[2]) : 20;
    PrivateSoundServer server(pipewire ? PrivateSoundServer::Kind::PipeWire
                                       : PrivateSoundServer::Kind::PulseAudio);
    auto window = playingWindow();
    if (!server.start() || secondsUntilHeard() < 0.0) {
        std::fprintf(stderr, "sound-return: no sound from the server (scripts/install-deps?)\n");
        return 1;
    }
    for (const double away : {0.2, 1.5, 4.0, 8.0, 30.0}) {
        std::vector<double> seconds;
        for (int i = 0; i < tries; ++i) {
            server.kill();
            QTest::qWait(static_cast<int>(away * 1000));
            server.start();
            seconds.push_back(secondsUntilHeard());
        }
        print(QStringLiteral("back after %1 s away").arg(away).toUtf8().constData(), seconds);
    }
    for (const int later : {2, 6, 60}) {
        std::vector<double> seconds;
        for (int i = 0; i < tries; ++i) {
            server.kill();
            window.reset(); // a program started anew, with the sound on
            window = playingWindow();
            QTest::qWait(later * 1000);
            server.start();
            seconds.push_back(secondsUntilHeard());
        }
        print(QStringLiteral("server %1 s after").arg(later).toUtf8().constData(), seconds);
    }
    return 0;
}
