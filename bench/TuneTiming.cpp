// How true to its times a MIDI file plays while the window is kept busy, through the real window
// and a private sound server's null sink, recorded from its monitor by parec:
//
//   tune SERVER   200 sixteenth notes of C6 at 120 crotchets a minute, opened as the user opens a
//                 tune, while the large view is resized at about 3840 x 2160 and one of its bars
//                 dragged, every 30 ms. Prints the notes heard apart (a note that runs into
//                 the one before is not), then the largest and the 99th percentile distance, in
//                 ms, of an onset from the file's time once the constant offset (the median) is
//                 taken away; and how often the offset stepped by more than 2 ms between two
//                 notes, as it does where the sound runs dry and everything after comes later.
#include "app/MainWindow.h"
#include "bench/Monitor.h"
#include "tests/support/PrivateSoundServer.h"
#include "tests/support/QtUser.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int notes = 200;
constexpr double spacing = 0.125; // a sixteenth at 120 crotchets a minute

// Format 0 at 480 ticks a crotchet and the default tempo: after a crotchet's rest, in which Play
// silences the held tone, C6 for 60 ticks every 120.
QByteArray tune() {
    QByteArray track;
    for (int i = 0; i < notes; ++i) {
        track.append(QByteArray::fromHex(i == 0 ? "8360" : "3c")); // 480, then 60 ticks
        track.append(QByteArray::fromHex("90547f"));
        track.append(QByteArray::fromHex("3c"));
        track.append(QByteArray::fromHex("805400"));
    }
    track.append(QByteArray::fromHex("00ff2f00"));
    QByteArray file = QByteArray::fromHex("4d546864000000060000000101e04d54726b");
    for (int shift : {24, 16, 8, 0}) {
        file.append(char((track.size() >> shift) & 0xff));
    }
    return file + track;
}

// The first sample of each note: the first out of 20 ms of near silence, once the sound goes on
// to pass 0.03 (a note peaks at 0.125).
std::vector<double> onsetsMs(const std::vector<float>& samples) {
    std::vector<double> found;
    std::size_t quiet = 0;
    constexpr std::size_t none = SIZE_MAX;
    std::size_t rising = none;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const float level = std::fabs(samples[i]);
        if (level >= 0.003F && quiet >= 960) {
            rising = i;
        }
        if (rising != none && level > 0.03F) {
            found.push_back(double(rising) / bench::samplesPerMs);
            rising = none;
        }
        quiet = level < 0.003F ? quiet + 1 : 0;
    }
    return found;
}

// Keeps the window's thread as busy as a teacher would: the large view at 4K, resized, and a bar
// dragged up and down.
void keepBusy(QWidget& view, QTimer& timer) {
    QObject::connect(&timer, &QTimer::timeout, &view, [&view, step = 0]() mutable {
        ++step;
        view.resize(step % 2 == 0 ? QSize(3840, 2160) : QSize(3600, 2000));
        const QPoint at(view.width() / 30, view.height() * (step % 2 == 0 ? 70 : 85) / 100);
        QTest::mouseMove(&view, at);
        if (step == 1) {
            QTest::mousePress(&view, Qt::LeftButton, {}, at);
        }
    });
    timer.start(30);
}

int run(app::Program& program, bench::Monitor& monitor, const QString& path) {
    app::Form1& window = program.window();
    auto* sound = window.findChild<QAction*>(QStringLiteral("soundAction"));
    sound->setChecked(true);
    if (!monitor.flowing()) {
        std::fprintf(stderr, "tune-timing: nothing recorded\n");
        return 1;
    }
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("harmonika_0"));
    qt_user::pasteOver(*box, QStringLiteral("200"));
    window.findChild<QAction*>(QStringLiteral("largeViewAction"))->trigger();
    auto* view = window.findChild<QWidget*>(QStringLiteral("largeView"));
    QTimer busy;
    keepBusy(*view, busy);
    QTest::qWait(500);
    const std::size_t from = monitor.samples().size();
    program.openSound(path);
    auto* note = window.findChild<QLabel*>(QStringLiteral("note"));
    const bool ended =
        QTest::qWaitFor([note] { return note->text().endsWith(QStringLiteral(" played")); }, 40000);
    QTest::qWait(300);
    busy.stop();
    if (!ended) {
        std::fprintf(stderr, "tune-timing: the tune never ended\n");
        return 1;
    }
    const std::vector<float> heard(monitor.samples().begin() + std::ptrdiff_t(from),
                                   monitor.samples().end());
    if (const char* dump = std::getenv("TONVIRTA_TUNE_DUMP")) {
        QFile out(QString::fromLocal8Bit(dump));
        if (out.open(QIODevice::WriteOnly)) {
            out.write(reinterpret_cast<const char*>(heard.data()),
                      qint64(heard.size() * sizeof(float)));
        }
    }
    const std::vector<double> onsets = onsetsMs(heard);
    std::printf("%zu\n", onsets.size());
    if (onsets.empty()) {
        return 1;
    }
    // Each onset against the note nearest it, on the grid the first one starts.
    std::vector<double> offsets;
    for (const double onset : onsets) {
        const double index = std::round((onset - onsets.front()) / (spacing * 1000.0));
        offsets.push_back(onset - index * spacing * 1000.0);
    }
    std::vector<double> sorted = offsets;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    std::vector<double> distance;
    for (const double offset : offsets) {
        distance.push_back(std::fabs(offset - median));
    }
    std::sort(distance.begin(), distance.end());
    // Where the sound itself ran dry, every later note moves by the gap: counted apart.
    int dropouts = 0;
    for (std::size_t i = 1; i < offsets.size(); ++i) {
        dropouts += std::fabs(offsets[i] - offsets[i - 1]) > 2.0 ? 1 : 0;
    }
    std::printf("%.2f\n%.2f\n%d\n", distance.back(), distance[distance.size() * 99 / 100],
                dropouts);
    return onsets.size() == std::size_t(notes) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    const QApplication application(argc, argv);
    using Server = testing_support::PrivateSoundServer;
    Server server(argc > 2 && std::strcmp(argv[2], "pipewire") == 0 ? Server::Kind::PipeWire
                                                                    : Server::Kind::PulseAudio);
    if (!server.start()) {
        std::fprintf(stderr, "tune-timing: the sound server did not start\n");
        return 1;
    }
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("tune.mid")));
    if (!file.open(QIODevice::WriteOnly) || file.write(tune()) < 0) {
        return 1;
    }
    file.close();
    const auto program = app::createMainWindow();
    program->window().show();
    if (!QTest::qWaitForWindowExposed(&program->window())) {
        return 1;
    }
    bench::Monitor monitor;
    if (!monitor.started()) {
        std::fprintf(stderr, "tune-timing: parec did not start\n");
        return 1;
    }
    return run(*program, monitor, file.fileName());
}
