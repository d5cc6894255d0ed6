// Sound through servers that fail: killed and started again, hung, absent. Each test runs a
// PulseAudio server of its own with a null sink, recorded from the sink's monitor.
#include "app/MainWindow.h"
#include "tests/audio/SinkRecorder.h"
#include "tests/audio/ToneMeter.h"
#include "tests/support/Form1Fixture.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <atomic>
#include <csignal>
#include <thread>

namespace {

class SoundServer : public testing::Test {
protected:
    SoundServer() : saved_(qgetenv("PULSE_SERVER")) { qputenv("PULSE_SERVER", address_); }
    void SetUp() override {
        if (QStandardPaths::findExecutable("pulseaudio").isEmpty() ||
            QStandardPaths::findExecutable("parec").isEmpty()) {
            GTEST_SKIP() << "needs pulseaudio and parec (scripts/install-deps)";
        }
        ASSERT_TRUE(start());
    }
    ~SoundServer() override {
        signal(SIGCONT);
        server_.kill();
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
    // The program's window, playing a preset at 440 Hz and full volume.
    void play(int preset) {
        window_ = app::createMainWindow();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        ASSERT_TRUE(QTest::qWaitFor([this] { return sound().isEnabled(); }, 5000));
        click(preset);
        choose("440 Hz");
        choose("100 %");
        sound().trigger();
    }
    QAction& sound() { return *window_->findChild<QAction*>(QStringLiteral("soundAction")); }
    void click(int preset) {
        window_->findChild<QPushButton*>(QStringLiteral("Command1_%1").arg(preset))->click();
    }
    void choose(const char* item) {
        testing_support::menuItemIn(*window_->findChild<QMenu*>(QStringLiteral("displayMenu")),
                                    item)
            ->trigger();
    }
    // Seconds of what the sink plays, once a starting stream has had a second to settle.
    static std::vector<float> listen(double seconds) {
        QTest::qWait(1000);
        return SinkRecorder().samples(static_cast<std::size_t>(seconds * 48000));
    }
    // How loud a harmonic of 440 Hz plays, in the boxes' units at full volume (100 plays at a
    // quarter of full scale).
    static double heard(const std::vector<float>& samples, int harmonic) {
        return 400.0 * tone::level(samples, 440.0 * harmonic);
    }

    QTemporaryDir folder_;
    QByteArray address_ = "unix:" + folder_.filePath("native").toUtf8();
    QByteArray saved_;
    QProcess server_;
    std::unique_ptr<app::Form1> window_;
};

TEST_F(SoundServer, AHungServerHoldsUpNothingAndAKilledOneComesBackWithTheSoundAsItWas) {
    play(1); // SQUARE
    // A server that hangs holds up nothing: the boxes, the sliders and the display go on.
    signal(SIGSTOP);
    auto* box = window_->findChild<QLineEdit*>(QStringLiteral("harmonika_5"));
    box->setFocus();
    QTest::keyClicks(box, "5");
    EXPECT_EQ(window_->findChild<QScrollBar*>(QStringLiteral("VScroll1_5"))->value(), -5);
    const QImage before = window_->findChild<forms::PictureBox*>()->image();
    EXPECT_TRUE(testing_support::eventually(
        [&] { return window_->findChild<forms::PictureBox*>()->image() != before; }, 1000));
    signal(SIGCONT);
    server_.kill();
    server_.waitForFinished();
    EXPECT_TRUE(testing_support::eventually([this] { return !sound().isEnabled(); }));
    EXPECT_TRUE(sound().text().startsWith("Sound (")) << sound().text().toStdString();
    click(4); // SIN, while the server is away
    ASSERT_TRUE(start());
    EXPECT_TRUE(testing_support::eventually([this] { return sound().isEnabled(); }));
    const auto sin = listen(1.0);
    EXPECT_NEAR(heard(sin, 1), 100, 4.0) << "at the same pitch and volume";
    EXPECT_LT(heard(sin, 3), 1.0) << "SIN now, not SQUARE";
}

TEST_F(SoundServer, ClosingWhilePlayingFadesOutWithoutAClick) {
    play(1);
    QTest::qWait(300);
    // Closed a tenth of a second into the recording; what follows is how the sound ended.
    SinkRecorder recorder;
    (void)recorder.samples(4800);
    window_.reset();
    const auto samples = recorder.samples(48000);
    ASSERT_GT(samples.size(), 4800U);
    const std::span all(samples);
    const float steady = tone::largestStep(all.first(4800));
    EXPECT_GT(steady, 0.001F) << "it was playing";
    EXPECT_LE(tone::largestStep(all.subspan(4799)), steady * 1.1F);
    EXPECT_LT(tone::peak(all.last(480)), 0.0001F) << "it stopped";
}

// With every core busy, ten seconds of SQUARE with no gap, each harmonic within 0.5 dB.
TEST_F(SoundServer, PlaysWithoutGapsOrLossWhenEveryCoreIsBusy) {
    play(1);
    std::atomic<bool> busy{true};
    std::vector<std::jthread> load(std::thread::hardware_concurrency());
    for (auto& thread : load) {
        thread = std::jthread([&busy] {
            while (busy) {
            }
        });
    }
    const auto square = listen(10.0);
    busy = false;
    EXPECT_GE(square.size(), 10U * 48000);
    EXPECT_LE(tone::longestSilence(square), 240U) << "no silence longer than 5 ms";
    for (const auto& [k, amplitude] :
         {std::pair{1, 100.0}, {2, 0.0}, {3, 30.0}, {5, 14.0}, {7, 7.0}}) {
        EXPECT_NEAR(heard(square, k), amplitude, std::max(0.06 * amplitude, 0.5))
            << "harmonic " << k;
    }
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
        QElapsedTimer closing;
        closing.start();
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        EXPECT_TRUE(program.waitForFinished(5000)) << server;
        EXPECT_LT(closing.elapsed(), 1000) << server;
        EXPECT_EQ(std::pair(program.exitStatus(), program.exitCode()),
                  std::pair(QProcess::NormalExit, 0))
            << server;
    }
}

} // namespace
