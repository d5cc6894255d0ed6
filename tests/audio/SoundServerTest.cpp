// Sound through servers that fail: killed and started again, hung, absent. Each test runs a
// PulseAudio server of its own with a null sink, recorded from the sink's monitor.
#include "audio/qt/QtSoundOutput.h"
#include "tests/audio/SinkRecorder.h"
#include "tests/audio/ToneMeter.h"
#include "tests/support/Form1Fixture.h"

#include <QTemporaryDir>
#include <atomic>
#include <csignal>
#include <thread>

namespace {

using testing_support::eventually;

// Started before the window, so that the window's sound finds it.
class PrivateServer {
protected:
    PrivateServer() {
        qputenv("PULSE_SERVER", address_);
        started_ = start();
    }
    ~PrivateServer() {
        server_.kill(); // stopped or not
        server_.waitForFinished();
        qputenv("PULSE_SERVER", saved_);
    }
    bool start() {
        server_.start("pulseaudio",
                      {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                       "--load=module-null-sink sink_name=tonvirta rate=48000",
                       "--load=module-native-protocol-unix auth-anonymous=1 socket=" +
                           folder_.filePath("native")});
        return server_.waitForStarted() &&
               QTest::qWaitFor([] { return QProcess::execute("pactl", {"info"}) == 0; }, 10000);
    }
    void signal(int number) { ::kill(static_cast<pid_t>(server_.processId()), number); }

    QByteArray saved_ = qgetenv("PULSE_SERVER");
    QTemporaryDir folder_;
    QByteArray address_ = "unix:" + folder_.filePath("native").toUtf8();
    QProcess server_;
    bool started_ = false;
};

class SoundServer : protected PrivateServer, public testing_support::Form1Fixture {
protected:
    SoundServer() : Form1Fixture(std::make_unique<audio::QtSoundOutput>()) {}
    void SetUp() override {
        ASSERT_TRUE(started_) << "needs pulseaudio and parec: run scripts/install-deps";
        ASSERT_TRUE(eventually([this] { return sound().isEnabled(); }));
    }
    QAction& sound() { return child<QAction>(QStringLiteral("soundAction")); }
    // A preset at 440 Hz and full volume.
    void play(int preset) {
        button(preset).click();
        menuItem("440 Hz").trigger();
        menuItem("100 %").trigger();
        sound().trigger();
    }
    // How loud a harmonic of 440 Hz plays, in the boxes' units at full volume (100 plays at a
    // quarter of full scale).
    static double heard(const std::vector<float>& samples, int harmonic) {
        return 400.0 * tone::level(samples, 440.0 * harmonic);
    }
};

TEST_F(SoundServer, AHungServerHoldsUpNothingAndAKilledOneComesBackWithTheSoundAsItWas) {
    play(1); // SQUARE
    // A server that hangs holds up nothing: the boxes, the sliders and the display go on.
    signal(SIGSTOP);
    typeOver(5, "5");
    EXPECT_EQ(slider(5).value(), -5);
    const QImage before = oscil().image();
    EXPECT_TRUE(eventually([&] { return oscil().image() != before; }, 1000));
    signal(SIGCONT);
    server_.kill();
    server_.waitForFinished();
    EXPECT_TRUE(eventually([this] { return !sound().isEnabled(); }));
    EXPECT_TRUE(sound().text().startsWith("Sound (")) << sound().text().toStdString();
    button(4).click(); // SIN, while the server is away
    ASSERT_TRUE(start());
    EXPECT_TRUE(eventually([this] { return sound().isEnabled(); }));
    QTest::qWait(1000); // a starting stream may stutter
    const auto sin = SinkRecorder().samples(48000);
    EXPECT_NEAR(heard(sin, 1), 100, 4.0) << "at the same pitch and volume";
    EXPECT_LT(heard(sin, 3), 1.0) << "SIN now, not SQUARE";
}

// With every core busy, ten seconds of SQUARE with no gap and each harmonic within 0.5 dB;
// then the window closes, and the sound fades out without a click.
TEST_F(SoundServer, PlaysWithoutGapsWhenEveryCoreIsBusyAndFadesOutWhenClosed) {
    play(1);
    QTest::qWait(1000); // a starting stream may stutter
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
    const std::size_t closedAt = recorder.samples(11 * 48000).size();
    window.reset();
    const auto samples = recorder.samples(12 * 48000);
    ASSERT_GT(samples.size(), closedAt + 4800);
    const std::span after = std::span(samples).subspan(closedAt - 1);
    const float steady = tone::largestStep(std::span(samples).subspan(closedAt - 4800, 4800));
    EXPECT_LE(tone::largestStep(after), steady * 1.1F) << "no click as it ended";
    EXPECT_LT(tone::peak(after.last(480)), 0.0001F) << "it stopped";
}

// The real program, started with the sound on and asked to close as a window manager would.
TEST_F(SoundServer, ClosingEndsTheProgramAtOnceWhateverTheServerDoes) {
    for (const std::string server :
         {"playing", "hung from the start", "hung while playing", "absent"}) {
        qputenv("PULSE_SERVER", server == "absent" ? "unix:/nonexistent/native" : address_);
        signal(server == "hung from the start" ? SIGSTOP : SIGCONT);
        QProcess program;
        program.start(TONVIRTA_BINARY, {"--sound"});
        ASSERT_TRUE(program.waitForStarted());
        QTest::qWait(1500);
        signal(server.starts_with("hung") ? SIGSTOP : SIGCONT);
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        EXPECT_TRUE(program.waitForFinished(1000)) << server << ": still running after a second";
        EXPECT_EQ(std::pair(program.exitStatus(), program.exitCode()),
                  std::pair(QProcess::NormalExit, 0))
            << server;
    }
}

} // namespace
