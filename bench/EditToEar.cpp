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
//   keys SERVER         with Play on, 100 presses and releases of the key that plays C4, one
//                       time a line
//   midi pipewire       with Play on, 100 notes on and off from a MIDI source of our own on the
//                       graph, timed from the graph cycle that carries each, one time a line
//   busy SERVER         60 s of eight notes held, then 60 s of the held tone alone, while twice as
//                       many threads as there are cores spin: the longest gap in each, in ms; then
//                       the longest a real-time thread at PipeWire's own priority, waking every
//                       millisecond meanwhile, was held past its time (-1 where none may run)
//   midi-count pipewire 1000 notes of 15 ms, 55 ms apart, from the same source: the count of
//                       notes heard, then the level a quarter second after the last
// where SERVER is pulseaudio or pipewire.
#include "app/MainWindow.h"
#include "bench/Monitor.h"
#include "tests/audio/ToneMeter.h"
#include "tests/support/PrivateSoundServer.h"
#include "tests/support/QtUser.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>
#include <pipewire/pipewire.h>
#include <pthread.h>
#include <sched.h>
#include <spa/control/control.h>
#include <spa/pod/builder.h>
#include <thread>
#include <vector>

namespace {

using bench::Monitor;
using bench::samplesPerMs;

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

// A note from the computer's keys: Z by its place on the keyboard, as X11 gives it.
int keys(QWidget& window, QAction* sound, Monitor& monitor) {
    QTest::mouseClick(button(window, QStringLiteral("SIN")), Qt::LeftButton);
    window.findChild<QAction*>(QStringLiteral("playAction"))->setChecked(true);
    if (!soundIsOn(sound) || !monitor.flowing()) {
        std::fprintf(stderr, "edit-to-ear: no sound output, or nothing recorded\n");
        return 1;
    }
    auto* display = window.findChild<QWidget*>(QStringLiteral("oscil"));
    QTest::qWait(300);
    std::vector<double> events;
    for (int i = 0; i < 100; ++i) {
        events.push_back(monitor.now());
        QKeyEvent key(i % 2 == 0 ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_unknown,
                      Qt::NoModifier, 52, 0, 0);
        QApplication::sendEvent(display, &key);
        QTest::qWait(300);
    }
    for (const double event : events) {
        if (const auto heard = monitor.heardAfter(event)) {
            std::printf("%.1f\n", *heard);
        } else {
            std::fprintf(stderr, "edit-to-ear: a key at %.0f ms was never heard\n", event);
        }
    }
    return 0;
}

// A MIDI source on the PipeWire graph that sends a note on or off whenever asked, and says on
// which graph cycle it went out, by the monitor's clock. The program links it to its port.
class MidiSender {
public:
    explicit MidiSender(const Monitor& monitor) : monitor_(monitor) {
        pw_init(nullptr, nullptr);
        loop_ = pw_thread_loop_new("bench-midi", nullptr);
        pw_thread_loop_lock(loop_);
        filter_ =
            pw_filter_new_simple(pw_thread_loop_get_loop(loop_), "bench-midi",
                                 pw_properties_new(PW_KEY_MEDIA_TYPE, "Midi", PW_KEY_MEDIA_CATEGORY,
                                                   "Capture", PW_KEY_MEDIA_ROLE, "DSP", nullptr),
                                 &events_, this);
        port_ = pw_filter_add_port(filter_, PW_DIRECTION_OUTPUT, PW_FILTER_PORT_FLAG_MAP_BUFFERS, 0,
                                   pw_properties_new(PW_KEY_FORMAT_DSP, "8 bit raw midi",
                                                     PW_KEY_PORT_NAME, "out", nullptr),
                                   nullptr, 0);
        pw_filter_connect(filter_, PW_FILTER_FLAG_RT_PROCESS, nullptr, 0);
        pw_thread_loop_unlock(loop_);
        pw_thread_loop_start(loop_);
    }
    MidiSender(const MidiSender&) = delete;
    MidiSender& operator=(const MidiSender&) = delete;
    ~MidiSender() {
        pw_thread_loop_stop(loop_);
        pw_filter_destroy(filter_);
        pw_thread_loop_destroy(loop_);
    }
    // Sent on the next graph cycle; the time it went out, once it has.
    double send(std::uint8_t status, std::uint8_t note, std::uint8_t velocity) {
        sent_ = -1.0;
        message_ = {status, note, velocity};
        pending_ = true;
        static_cast<void>(QTest::qWaitFor([this] { return !pending_; }, 1000));
        return sent_;
    }

private:
    static void process(void* self, spa_io_position* /*position*/) {
        auto& sender = *static_cast<MidiSender*>(self);
        pw_buffer* buffer = pw_filter_dequeue_buffer(sender.port_);
        if (buffer == nullptr) {
            return;
        }
        spa_data& data = buffer->buffer->datas[0];
        spa_pod_builder builder{};
        spa_pod_builder_init(&builder, data.data, data.maxsize);
        spa_pod_frame frame{};
        spa_pod_builder_push_sequence(&builder, &frame, 0);
        if (sender.pending_) {
            spa_pod_builder_control(&builder, 0, SPA_CONTROL_Midi);
            spa_pod_builder_bytes(&builder, sender.message_.data(), 3);
            sender.sent_ = sender.monitor_.now();
            sender.pending_ = false;
        }
        spa_pod_builder_pop(&builder, &frame);
        data.chunk->offset = 0;
        data.chunk->size = builder.state.offset;
        data.chunk->stride = 1;
        pw_filter_queue_buffer(sender.port_, buffer);
    }

    const Monitor& monitor_;
    pw_thread_loop* loop_ = nullptr;
    pw_filter* filter_ = nullptr;
    void* port_ = nullptr;
    std::array<std::uint8_t, 3> message_{};
    std::atomic<bool> pending_{false};
    std::atomic<double> sent_{-1.0};
    static constexpr pw_filter_events events_ = [] {
        pw_filter_events events{};
        events.version = PW_VERSION_FILTER_EVENTS;
        events.process = &MidiSender::process;
        return events;
    }();
};

int midi(QWidget& window, QAction* sound, Monitor& monitor, bool count) {
    QTest::mouseClick(button(window, QStringLiteral("SIN")), Qt::LeftButton);
    window.findChild<QAction*>(QStringLiteral("playAction"))->setChecked(true);
    MidiSender sender(monitor);
    if (!soundIsOn(sound) || !monitor.flowing()) {
        std::fprintf(stderr, "edit-to-ear: no sound output, or nothing recorded\n");
        return 1;
    }
    QTest::qWait(1000); // linked by the program meanwhile
    if (count) {
        std::vector<double> on;
        for (int i = 0; i < 1000; ++i) {
            const auto note = std::uint8_t(48 + i % 24);
            on.push_back(sender.send(0x90, note, 127));
            QTest::qWait(15);
            sender.send(0x80, note, 0);
            QTest::qWait(40); // the note dies away, and a moment of silence
        }
        QTest::qWait(300);
        std::printf("%d\n%.4f\n", monitor.notesSince(on.front() - 20),
                    monitor.levelAt(on.back() + 250).value_or(-1.0));
        return 0;
    }
    std::vector<double> events;
    for (int i = 0; i < 100; ++i) {
        events.push_back(sender.send(i % 2 == 0 ? 0x90 : 0x80, 60, 127));
        QTest::qWait(300);
    }
    for (const double event : events) {
        if (const auto heard = event >= 0 ? monitor.heardAfter(event) : std::nullopt) {
            std::printf("%.1f\n", *heard);
        } else {
            std::fprintf(stderr, "edit-to-ear: a note at %.0f ms was never heard\n", event);
        }
    }
    return 0;
}

// The longest run of silence in the samples since the given time, in ms.
double longestGap(const std::vector<float>& samples, std::size_t from) {
    return double(tone::longestSilence(std::span(samples).subspan(from))) / samplesPerMs;
}

// How late the machine itself lets a thread run that the scheduler must run first: a server's
// graph thread at its own priority (88), which no ordinary busy thread may delay. Where this
// thread is held up, so is the server's graph, whatever its clients do.
class StallProbe {
public:
    StallProbe()
        : thread_([this] {
              sched_param parameters{};
              parameters.sched_priority = 88;
              if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &parameters) != 0) {
                  worstMs_ = -1.0;
                  return;
              }
              timespec next{};
              clock_gettime(CLOCK_MONOTONIC, &next);
              while (running_) {
                  next.tv_nsec += 1'000'000;
                  if (next.tv_nsec >= 1'000'000'000) {
                      next.tv_nsec -= 1'000'000'000;
                      ++next.tv_sec;
                  }
                  clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
                  timespec now{};
                  clock_gettime(CLOCK_MONOTONIC, &now);
                  const double late = double(now.tv_sec - next.tv_sec) * 1e3 +
                                      double(now.tv_nsec - next.tv_nsec) / 1e6;
                  worstMs_ = std::max(worstMs_.load(), late);
                  if (late > 1.0) { // start again from now rather than hurry to catch up
                      next = now;
                  }
              }
          }) {}
    StallProbe(const StallProbe&) = delete;
    StallProbe& operator=(const StallProbe&) = delete;
    ~StallProbe() {
        running_ = false;
        thread_.join();
    }
    [[nodiscard]] double worstMs() const { return worstMs_; }

private:
    std::atomic<bool> running_{true};
    std::atomic<double> worstMs_{0.0};
    std::thread thread_;
};

// The server's own player, as the measure of what the machine allows: a square wave played for
// the given time into a sink of its own on the same server, recorded from that sink's monitor.
class Reference {
public:
    Reference(bool pipeWire, int seconds) : monitor_(QStringLiteral("reference")) {
        QFile file(folder_.filePath(QStringLiteral("square.wav")));
        if (!file.open(QIODevice::WriteOnly)) {
            return;
        }
        const auto frames = quint32(seconds * 48000);
        QByteArray wav("RIFF");
        const auto word = [&wav](quint32 value, int bytes) {
            for (int i = 0; i < bytes; ++i) {
                wav += char((value >> (8 * i)) & 0xFF);
            }
        };
        word(36 + frames * 2, 4);
        wav += "WAVEfmt ";
        word(16, 4), word(1, 2), word(1, 2), word(48000, 4), word(96000, 4), word(2, 2);
        word(16, 2);
        wav += "data";
        word(frames * 2, 4);
        for (quint32 i = 0; i < frames; ++i) {
            word(quint32(std::int16_t((i / 120) % 2 == 0 ? 8000 : -8000)) & 0xFFFF, 2);
        }
        file.write(wav);
        file.close();
        // PulseAudio's player keeps as little ahead as the program does, 20 ms.
        player_.start(pipeWire ? QStringLiteral("pw-play") : QStringLiteral("paplay"),
                      pipeWire ? QStringList{QStringLiteral("--target=reference"), file.fileName()}
                               : QStringList{QStringLiteral("--device=reference"),
                                             QStringLiteral("--latency-msec=20"), file.fileName()});
    }
    Reference(const Reference&) = delete;
    Reference& operator=(const Reference&) = delete;
    ~Reference() {
        player_.kill();
        player_.waitForFinished();
    }
    [[nodiscard]] Monitor& monitor() { return monitor_; }

private:
    QTemporaryDir folder_;
    Monitor monitor_;
    QProcess player_;
};

int busy(QWidget& window, QAction* sound, Monitor& monitor, bool pipeWire) {
    QTest::mouseClick(button(window, QStringLiteral("SQUARE")), Qt::LeftButton);
    sound->setChecked(true);
    if (!soundIsOn(sound) || !monitor.flowing()) {
        std::fprintf(stderr, "edit-to-ear: no sound output, or nothing recorded\n");
        return 1;
    }
    std::atomic<bool> spinning{true};
    std::vector<std::thread> load(2 * std::max(1U, std::thread::hardware_concurrency()));
    for (auto& thread : load) {
        thread = std::thread([&spinning] {
            while (spinning) {
            }
        });
    }
    auto* display = window.findChild<QWidget*>(QStringLiteral("oscil"));
    window.findChild<QAction*>(QStringLiteral("playAction"))->setChecked(true);
    for (const unsigned code : {52U, 54U, 56U, 24U, 26U, 28U, 30U, 31U}) { // two octaves of C E G
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, code, 0, 0);
        QApplication::sendEvent(display, &key);
    }
    Reference reference(pipeWire, 125);
    QTest::qWait(1000);
    const StallProbe probe;
    std::array<double, 4> gaps{}; // ours with 8 voices, the reference's then; likewise the tone
    for (std::size_t minute = 0; minute < 2; ++minute) {
        const std::size_t from = monitor.samples().size();
        const std::size_t referenceFrom = reference.monitor().samples().size();
        QTest::qWait(60000);
        gaps[2 * minute] = longestGap(monitor.samples(), from);
        gaps[2 * minute + 1] = longestGap(reference.monitor().samples(), referenceFrom);
        window.findChild<QAction*>(QStringLiteral("playAction"))->setChecked(false);
        QTest::qWait(1000);
    }
    std::printf("%.1f\n%.1f\n%.1f\n%.1f\n%.1f\n", gaps[0], gaps[2], probe.worstMs(), gaps[1],
                gaps[3]);
    spinning = false;
    for (auto& thread : load) {
        thread.join();
    }
    return 0;
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
    if (argc > 1 && std::strcmp(argv[1], "busy") == 0) {
        // The reference player's sink, made before the program's stream so that it is never
        // taken for the default; the program's stays where it was.
        QProcess::execute(QStringLiteral("sh"),
                          {QStringLiteral("-c"),
                           QStringLiteral("pactl load-module module-null-sink sink_name=reference "
                                          "rate=48000 >/dev/null && pactl set-default-sink "
                                          "tonvirta")});
    }
    const auto program = app::createMainWindow();
    app::Form1* window = &program->window();
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) {
        return 1;
    }
    Monitor monitor;
    if (!monitor.started()) {
        std::fprintf(stderr, "edit-to-ear: parec did not start\n");
        return 1;
    }
    auto* sound = window->findChild<QAction*>(QStringLiteral("soundAction"));
    if (argc > 1 && std::strncmp(argv[1], "midi", 4) == 0) {
        return midi(*window, sound, monitor, std::strcmp(argv[1], "midi-count") == 0);
    }
    if (argc > 1 && std::strcmp(argv[1], "busy") == 0) {
        return busy(*window, sound, monitor, argc > 2 && std::strcmp(argv[2], "pipewire") == 0);
    }
    if (argc > 1 && std::strcmp(argv[1], "keys") == 0) {
        return keys(*window, sound, monitor);
    }
    return first ? firstSound(*window, sound, monitor) : edits(*window, sound, monitor);
}
