// Sound through servers that fail: late, killed and started again after a pause, hung, absent;
// on PulseAudio and on PipeWire's pulse server. Each test has a server of its own, recorded
// from its null sink's monitor.
#include "audio/SoundExport.h"
#include "audio/qt/QtSoundOutput.h"
#include "tests/audio/SinkRecorder.h"
#include "tests/audio/ToneMeter.h"
#include "tests/support/Form1Fixture.h"
#include "tests/support/PrivateSoundServer.h"

#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <algorithm>
#include <atomic>
#include <thread>

namespace {

using testing_support::eventually;
using Kind = testing_support::PrivateSoundServer::Kind;

// Made before the window, so that the window finds it; the tests of its return start it later.
struct ServerFirst {
    const char* kind = testing::UnitTest::GetInstance()->current_test_info()->value_param();
    bool pipeWire = kind != nullptr && kind == testing::PrintToString(Kind::PipeWire);
    // Clicks are judged on PipeWire's monitor, where a graph cycle missed on a loaded machine
    // would read as one: its cycles are made long enough not to be missed.
    testing_support::PrivateSoundServer server{pipeWire ? Kind::PipeWire : Kind::PulseAudio, 1024};
    bool started = kind != nullptr || server.start();
};

class SoundServer : protected ServerFirst, public testing_support::Form1Fixture {
protected:
    SoundServer() : Form1Fixture(std::make_unique<audio::QtSoundOutput>()) {}
    QAction& sound() { return child<QAction>(QStringLiteral("soundAction")); }
    void SetUp() override { ASSERT_TRUE(started) << "run scripts/install-deps"; }
    // A preset at 440 Hz and full volume.
    void play(int preset) {
        button(preset).click();
        menuItem("440 Hz").trigger();
        menuItem("100 %").trigger();
        sound().setChecked(true);
    }
    // How loud a harmonic of 440 Hz plays, in the boxes' units at full volume (100 plays at a
    // quarter of full scale).
    static double heard(std::span<const float> samples, int harmonic) {
        return 400.0 * tone::level(samples, 440.0 * harmonic);
    }
    // Milliseconds from now until a tenth of a second of the monitor carries the boxes' first and
    // third harmonics as they are, with no click before; -1 if that takes over 10 s.
    double msUntilHeard() {
        const auto boxes = numbers();
        return ::msUntilHeard(
            [&boxes, this](std::span<const float> last, std::span<const float> all) {
                if (std::abs(heard(last, 1) - boxes[0]) >= 4.0 ||
                    std::abs(heard(last, 3) - boxes[2]) >= 2.0) {
                    return false;
                }
                // PulseAudio may rewind its sink to mix a new stream in sooner, and its monitor
                // then shows the fade-in cut short; PipeWire's has no rewinds: clicks show there.
                EXPECT_LE(pipeWire ? tone::largestStep(all) : 0.0F, tone::largestStep(last) * 1.5F);
                return true;
            });
    }
};

class SoundComesBack : public SoundServer, public testing::WithParamInterface<Kind> {};

// Whenever a server answers, the sound is back within 4 s at the amplitudes of that moment:
// with the program there first, after a server that hung, and after pauses of any length.
TEST_P(SoundComesBack, WithinFourSecondsOfAServerAnsweringWhateverCameBefore) {
    play(1); // SQUARE
    EXPECT_TRUE(
        eventually([this] { return sound().text() == "Sound (waiting for a sound server)"; }));
    for (const auto& [awayMs, preset] :
         {std::pair{2000, 4}, {200, 1}, {1500, 4}, {4000, 1}, {8000, 4}, {6000, 1}}) {
        if (awayMs == 6000) { // a program that starts with the sound on, before its server
            open(std::make_unique<audio::QtSoundOutput>());
            play(4);
        }
        QTest::qWait(awayMs);
        button(preset).click(); // changed meanwhile
        ASSERT_TRUE(server.start()) << "needs the sound servers: run scripts/install-deps";
        const double ms = msUntilHeard();
        EXPECT_TRUE(ms >= 0.0 && ms <= 4000.0) << awayMs << " ms away: back after " << ms << " ms";
        if (awayMs == 2000) { // a server that hangs holds up nothing, and is noticed
            server.signal(SIGSTOP);
            typeOver(5, "5");
            EXPECT_EQ(slider(5).value(), -5);
            const QImage before = oscil().image();
            EXPECT_TRUE(eventually([&] { return oscil().image() != before; }, 1000));
            EXPECT_TRUE(eventually([this] { return sound().text().startsWith("Sound ("); }, 1500));
            server.signal(SIGCONT);
        }
        server.kill();
    }
}

INSTANTIATE_TEST_SUITE_P(Servers, SoundComesBack, testing::Values(Kind::PulseAudio, Kind::PipeWire),
                         [](const auto& kind) {
                             return kind.param == Kind::PulseAudio ? "PulseAudio" : "PipeWire";
                         });

// With every core busy, ten seconds of SQUARE with no gap and each harmonic within 0.5 dB;
// then the window closes, and the sound fades out without a click.
TEST_F(SoundServer, PlaysWithoutGapsWhenEveryCoreIsBusyAndFadesOutWhenClosed) {
    play(1);
    ASSERT_GE(msUntilHeard(), 0.0); // an idle sink may take a moment to start
    SinkRecorder recorder;
    std::atomic<bool> busy{true};
    std::vector<std::jthread> load(std::thread::hardware_concurrency());
    for (auto& thread : load) {
        thread = std::jthread([&busy] {
            while (busy) {
            }
        });
    }
    const auto loaded = recorder.samples(10 * 48000);
    busy = false;
    ASSERT_GE(loaded.size(), 10U * 48000);
    EXPECT_LE(tone::longestSilence(loaded), 240U) << "no silence longer than 5 ms";
    for (const auto& [k, amplitude] : {std::pair{1, 100.0}, {2, 0.0}, {3, 30.0}, {7, 7.0}}) {
        EXPECT_NEAR(heard(loaded, k), amplitude, std::max(0.06 * amplitude, 0.5)) << k;
    }
    EXPECT_EQ(child<QLabel>("note").text(), "") << "the sound was never lost";
    const std::size_t closedAt = recorder.samples(11 * 48000).size();
    close();
    const auto samples = recorder.samples(12 * 48000);
    ASSERT_GT(samples.size(), closedAt + 4800);
    const std::span after = std::span(samples).subspan(closedAt - 1);
    const float steady = tone::largestStep(std::span(samples).subspan(closedAt - 4800, 4800));
    EXPECT_LE(tone::largestStep(after), steady * 1.1F) << "no click as it ended";
    EXPECT_LT(tone::peak(after.last(480)), 0.0001F) << "it stopped";
}

// GIVEN SQUARE playing WHEN the program is held up for a tenth of a second, as a machine too
// busy to give it its turn may hold it, THEN its sound ran dry, and from then on the server is
// given more of it to hold ahead.
TEST_F(SoundServer, KeepsMoreAheadOnceItsSoundHasRunDry) {
    play(1);
    ASSERT_GE(msUntilHeard(), 0.0);
    const auto msAhead = [] {
        QProcess pactl;
        pactl.start("pactl", {"list", "sink-inputs"});
        pactl.waitForFinished();
        static const QRegularExpression buffer("Buffer Latency: (\\d+) usec");
        return buffer.match(pactl.readAllStandardOutput()).captured(1).toInt() / 1000;
    };
    EXPECT_LT(msAhead(), 25);
    QProcess::execute("sh", {"-c", "kill -STOP $0; sleep 0.1; kill -CONT $0",
                             QString::number(QCoreApplication::applicationPid())});
    EXPECT_TRUE(eventually([&] { return msAhead() >= 25; }));
}

// Listening to the default input, the sink's monitor, while a recording of SQUARE plays
// into the sink: the boxes follow, the program's own sound is silent, and the session is one
// undo step; it ends when the server goes.
TEST_F(SoundServer, ListeningTheBoxesFollowTheInputAsOneStepUntilTheInputGoes) {
    ASSERT_EQ(QProcess::execute("pactl", {"set-default-source", "tonvirta.monitor"}), 0);
    play(4); // SIN, heard until listening starts
    QAction& listen = child<QAction>("listenAction");
    ASSERT_TRUE(eventually([&] { return listen.isEnabled(); }));
    oscil().setFocus();
    QTest::keyClick(&oscil(), Qt::Key_L);
    QProcess player;
    for (const QString line : {"100 0 30 0 14 0 7 0 3 0 1", "100 -50 0 25"}) { // one, another
        const QString recording = QDir::temp().filePath("tonvirta-listen.wav");
        audio::SoundSnapshot tone{{}, 330.0, 0.5, true};
        std::ranges::transform(line.split(' '), tone.timbre.amplitudes.begin(),
                               [](const QString& word) { return word.toDouble(); });
        ASSERT_EQ(audio::exportSound(recording.toStdString(), tone), "");
        player.kill();
        player.waitForFinished();
        player.start("paplay", {"-d", "tonvirta", recording});
        EXPECT_TRUE(eventually([&] { return texts().startsWith(line + " 0 0"); }));
    }
    EXPECT_LT(heard(SinkRecorder().samples(4800), 1), 1.0) << "no SIN of its own meanwhile";
    QTest::keyClick(&oscil(), Qt::Key_Escape);
    EXPECT_EQ(std::pair(listen.isChecked(), child<QLabel>("note").isVisible()),
              std::pair(false, false))
        << "the listening note goes with it";
    menuItem("Undo").trigger();
    EXPECT_EQ(texts(), "100 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0") << "the session was one step";
    listen.trigger();
    server.kill();
    EXPECT_TRUE(eventually([&] { return !listen.isChecked(); })); // and the player ends with it
}

// The real program, started with the sound on and asked to close as a window manager would.
TEST_F(SoundServer, ClosingEndsTheProgramAtOnceWhateverTheServerDoes) {
    for (const std::string state :
         {"playing", "hung from the start", "hung while playing", "absent"}) {
        qputenv("PULSE_SERVER", state == "absent" ? "unix:/nonexistent/native" : server.address());
        server.signal(state == "hung from the start" ? SIGSTOP : SIGCONT);
        QProcess program;
        program.start(TONVIRTA_BINARY, {"--sound"});
        ASSERT_TRUE(program.waitForStarted());
        QTest::qWait(1500);
        server.signal(state.starts_with("hung") ? SIGSTOP : SIGCONT);
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        EXPECT_TRUE(program.waitForFinished(1000)) << state << ": still running after a second";
        EXPECT_EQ(std::pair(program.exitStatus(), program.exitCode()),
                  std::pair(QProcess::NormalExit, 0))
            << state;
    }
    server.signal(SIGCONT);
}

} // namespace
