// How soon the user hears what they do, through the real window, the real sound output and the
// null sink of a private sound server (PulseAudio, or PipeWire with its pulse server), recorded
// from the sink's monitor by parec. Every time runs from the moment the input event arrives at the
// window (a click, a paste, a key) to the first recorded sample of the first 2.5 ms window whose
// level has crossed half way from the level before to the level after, as a listener would judge
// it; the recording chain itself (server, monitor, parec) adds a few milliseconds, which are
// counted against us.
//
//   edits SERVER        100 clicks on MUTE and SQUARE and pastes into a box, one time a line
//   first-sound SERVER  Ctrl+P with SQUARE set in a window that has never played, then a click
//                       on MUTE 200 ms later: two lines, the first sound and that change
// where SERVER is pulseaudio or pipewire.
#include "app/MainWindow.h"
#include "tests/support/PrivateSoundServer.h"
#include "tests/support/QtUser.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr double samplesPerMs = 48.0;
constexpr std::size_t window = 120; // 2.5 ms

// The monitor's samples, each placed in time by its read: the last sample of a read arrived
// when the read did, the ones before it as much earlier as they last. A monitor may leave gaps
// when nothing plays, so no sample is placed by counting from the first.
class Monitor {
public:
    Monitor() {
        parec_.start(QStringLiteral("parec"),
                     {QStringLiteral("--device=tonvirta.monitor"),
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

QPushButton* button(QWidget& window, const QString& caption) {
    for (auto* candidate : window.findChildren<QPushButton*>()) {
        if (candidate->text() == caption) {
            return candidate;
        }
    }
    return nullptr;
}

bool soundIsOn(QAction* sound) {
    return QTest::qWaitFor([sound] { return sound->text() == QStringLiteral("Sound"); }, 5000);
}

int edits(QWidget& window, QAction* sound, Monitor& monitor) {
    sound->setChecked(true);
    if (!soundIsOn(sound)) {
        std::fprintf(stderr, "edit-to-ear: no sound output (%s)\n", qPrintable(sound->text()));
        return 1;
    }
    if (!monitor.flowing()) {
        std::fprintf(stderr, "edit-to-ear: nothing recorded\n");
        return 1;
    }
    QPushButton* mute = button(window, QStringLiteral("MUTE"));
    QPushButton* square = button(window, QStringLiteral("SQUARE"));
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("harmonika_0"));
    QTest::mouseClick(mute, Qt::LeftButton);
    QTest::qWait(300);
    std::vector<double> events;
    for (int pair = 0; pair < 50; ++pair) {
        const bool clicks = pair % 2 == 0;
        for (const bool rise : {true, false}) {
            events.push_back(monitor.now());
            if (clicks) {
                QTest::mouseClick(rise ? square : mute, Qt::LeftButton);
            } else {
                qt_user::pasteOver(*box, rise ? QStringLiteral("150") : QStringLiteral("0"));
            }
            QTest::qWait(300);
        }
    }
    for (const double event : events) {
        const auto heard = monitor.heardAfter(event);
        if (!heard) {
            std::fprintf(stderr, "edit-to-ear: a change at %.0f ms was never heard\n", event);
            continue;
        }
        std::printf("%.1f\n", *heard);
    }
    return 0;
}

// PulseAudio's null sink, left idle, renders in blocks of two seconds, which no output device
// does; silence played into it keeps it running as a desktop's sink runs.
int firstSound(QWidget& window, QAction* sound, Monitor& monitor) {
    QProcess silence;
    silence.setStandardInputFile(QStringLiteral("/dev/zero"));
    silence.start(QStringLiteral("pacat"),
                  {QStringLiteral("--device=tonvirta"), QStringLiteral("--raw"),
                   QStringLiteral("--format=float32le"), QStringLiteral("--rate=48000"),
                   QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=10")});
    QTest::mouseClick(button(window, QStringLiteral("SQUARE")), Qt::LeftButton);
    if (!monitor.flowing()) {
        std::fprintf(stderr, "edit-to-ear: nothing recorded\n");
        return 1;
    }
    const double switched = monitor.now();
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    if (!sound->isChecked()) {
        std::fprintf(stderr, "edit-to-ear: Ctrl+P did not switch the sound on\n");
        return 1;
    }
    QTest::qWait(200);
    const double changed = monitor.now();
    QTest::mouseClick(button(window, QStringLiteral("MUTE")), Qt::LeftButton);
    QTest::qWait(600);
    for (double t = switched; t < switched + 2000; t += 0.5) {
        const auto level = monitor.levelAt(t);
        if (level && *level > 0.02) {
            const auto change = monitor.heardAfter(changed);
            std::printf("%.1f\n%.1f\n", t - switched, change ? *change : -1.0);
            silence.kill();
            silence.waitForFinished();
            return change ? 0 : 1;
        }
    }
    std::fprintf(stderr, "edit-to-ear: the first sound was never heard\n");
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    const QApplication application(argc, argv);
    const bool first = argc > 1 && std::strcmp(argv[1], "first-sound") == 0;
    using Server = testing_support::PrivateSoundServer;
    Server server(argc > 2 && std::strcmp(argv[2], "pipewire") == 0 ? Server::Kind::PipeWire
                                                                    : Server::Kind::PulseAudio);
    if (!server.start()) {
        std::fprintf(stderr, "edit-to-ear: the sound server did not start\n");
        return 1;
    }
    const auto window = app::createMainWindow();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        return 1;
    }
    Monitor monitor;
    if (!monitor.started()) {
        std::fprintf(stderr, "edit-to-ear: parec did not start\n");
        return 1;
    }
    auto* sound = window->findChild<QAction*>(QStringLiteral("soundAction"));
    return first ? firstSound(*window, sound, monitor) : edits(*window, sound, monitor);
}
