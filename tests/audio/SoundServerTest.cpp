// Sound through servers that fail: killed and started again, stopped, absent or silent. Each
// test runs a PulseAudio server of its own with a null sink, recorded from the sink's monitor.
#include "app/MainWindow.h"
#include "tests/audio/SinkRecorder.h"
#include "tests/audio/ToneMeter.h"
#include "tests/support/Form1Fixture.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <atomic>
#include <csignal>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>

namespace {

class SoundServer : public testing::Test {
protected:
    SoundServer() : saved_(qgetenv("PULSE_SERVER")) {
        qputenv("PULSE_SERVER", "unix:" + folder_.filePath("native").toUtf8());
    }
    void SetUp() override {
        if (QStandardPaths::findExecutable("pulseaudio").isEmpty() ||
            QStandardPaths::findExecutable("parec").isEmpty()) {
            GTEST_SKIP() << "needs pulseaudio and parec (scripts/install-deps)";
        }
    }
    ~SoundServer() override {
        resume();
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
    void kill() {
        server_.kill();
        server_.waitForFinished();
    }
    void stop() { ::kill(static_cast<pid_t>(server_.processId()), SIGSTOP); }
    void resume() { ::kill(static_cast<pid_t>(server_.processId()), SIGCONT); }
    void open() {
        window_ = app::createMainWindow();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        ASSERT_TRUE(QTest::qWaitFor([this] { return sound().isEnabled(); }, 5000));
    }
    QAction& sound() { return *window_->findChild<QAction*>(QStringLiteral("soundAction")); }
    void choose(const char* item) {
        testing_support::menuItemIn(*window_->findChild<QMenu*>(QStringLiteral("displayMenu")),
                                    item)
            ->trigger();
    }
    void click(int preset) {
        QTest::mouseClick(
            window_->findChild<QPushButton*>(QStringLiteral("Command1_%1").arg(preset)),
            Qt::LeftButton);
    }
    // The level of each of the given harmonics of the pitch, in one second of the recording.
    std::vector<double> levels(double pitch, std::initializer_list<int> harmonics,
                               double seconds = 1.0) {
        QTest::qWait(1000); // a stream's first moments may stutter while it starts
        const auto samples = sink_recorder::record(static_cast<std::size_t>(seconds * 48000));
        recorded_ = samples;
        std::vector<double> result;
        for (const int k : harmonics) {
            result.push_back(samples.size() < 48000
                                 ? 0.0
                                 : tone::level({samples.data(), 48000}, pitch * k, 48000.0));
        }
        return result;
    }

    QTemporaryDir folder_;
    QByteArray saved_;
    QProcess server_;
    std::unique_ptr<app::Form1> window_;
    std::vector<float> recorded_;
};

TEST_F(SoundServer, AHungServerHoldsUpNothingAndAKilledOneComesBackWithTheSoundAsItWas) {
    ASSERT_TRUE(start());
    open();
    click(1); // SQUARE
    choose("440 Hz");
    choose("100 %");
    sound().trigger();
    // At full volume the fundamental's 100 plays at a quarter of full scale, the rest in
    // proportion, and no even harmonic sounds.
    const auto square = levels(440.0, {1, 2, 3, 5, 7, 9});
    EXPECT_NEAR(square[0], 0.25, 0.01);
    EXPECT_LT(tone::decibels(square[1]), -50.0);
    for (const auto& [i, amplitude] : {std::pair{2, 30.0}, {3, 14.0}, {4, 7.0}, {5, 3.0}}) {
        EXPECT_NEAR(tone::decibels(square[std::size_t(i)] / square[0]),
                    tone::decibels(amplitude / 100.0), 1.0)
            << "harmonic " << 2 * i - 1;
    }
    // A server that hangs holds up nothing: the boxes, the sliders and the display go on.
    stop();
    auto* box = window_->findChild<QLineEdit*>(QStringLiteral("harmonika_5"));
    box->setFocus();
    QTest::keyClicks(box, "5");
    EXPECT_EQ(window_->findChild<QScrollBar*>(QStringLiteral("VScroll1_5"))->value(), -5);
    const QImage before = window_->findChild<forms::PictureBox*>()->image();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window_->findChild<forms::PictureBox*>()->image() != before; }, 1000));
    resume();
    kill();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !sound().isEnabled(); }, 5000));
    EXPECT_TRUE(sound().text().startsWith("Sound (")) << sound().text().toStdString();
    click(4); // SIN, while the server is away
    ASSERT_TRUE(start());
    EXPECT_TRUE(QTest::qWaitFor([this] { return sound().isEnabled(); }, 5000));
    const auto sin = levels(440.0, {1, 3});
    EXPECT_NEAR(sin[0], 0.25, 0.01) << "at the same pitch and volume";
    EXPECT_LT(tone::decibels(sin[1]), -50.0) << "SIN now, not SQUARE";
}

TEST_F(SoundServer, ClosingWhilePlayingFadesOutWithoutAClick) {
    ASSERT_TRUE(start());
    open();
    click(1);
    sound().trigger();
    QTest::qWait(300);
    // Closed a tenth of a second into the recording; what follows is how the sound ended.
    const auto samples = sink_recorder::record(48000, 4800, [this] { window_.reset(); });
    ASSERT_GT(samples.size(), 4800U);
    const auto largestStep = [&samples](std::size_t from, std::size_t to) {
        float step = 0.0F;
        for (std::size_t i = from + 1; i < to; ++i) {
            step = std::max(step, std::fabs(samples[i] - samples[i - 1]));
        }
        return step;
    };
    const float steady = largestStep(0, 4800);
    EXPECT_GT(steady, 0.001F) << "it was playing";
    EXPECT_LE(largestStep(4800, samples.size()), steady * 1.1F);
    EXPECT_LT(tone::peak({samples.data() + samples.size() - 480, 480}), 0.0001F) << "it stopped";
}

// With every core busy, ten seconds of sound have no gap and the levels of an idle machine.
TEST_F(SoundServer, PlaysWithoutGapsOrLossWhenEveryCoreIsBusy) {
    ASSERT_TRUE(start());
    open();
    click(1);
    sound().trigger();
    const auto measure = [this] {
        QTest::qWait(1000);
        const auto samples = sink_recorder::record(10 * 48000);
        std::size_t silent = 0;
        std::size_t longestSilence = 0;
        for (const float sample : samples) {
            silent = std::fabs(sample) < 1e-4F ? silent + 1 : 0;
            longestSilence = std::max(longestSilence, silent);
        }
        std::vector<double> levels{double(samples.size()), double(longestSilence)};
        for (const int k : {1, 3, 5, 7}) {
            levels.push_back(tone::decibels(tone::level(samples, 220.0 * k, 48000.0)));
        }
        return levels;
    };
    const auto idle = measure();
    std::atomic<bool> busy{true};
    std::vector<std::thread> load;
    for (unsigned core = 0; core < std::thread::hardware_concurrency(); ++core) {
        load.emplace_back([&busy] {
            while (busy) {
            }
        });
    }
    const auto loaded = measure();
    busy = false;
    for (auto& thread : load) {
        thread.join();
    }
    for (const auto& levels : {idle, loaded}) {
        EXPECT_GE(levels[0], 10 * 48000);
        EXPECT_LE(levels[1], 240) << "no silence longer than 5 ms";
    }
    for (std::size_t i = 2; i < idle.size(); ++i) {
        EXPECT_NEAR(loaded[i], idle[i], 0.5) << "harmonic " << 2 * i - 3;
    }
}

// The real program, started with the sound on and asked to close as a window manager would.
TEST_F(SoundServer, ClosingEndsTheProgramAtOnceWhateverTheServerDoes) {
    // A socket that takes connections and never answers them.
    const int silent = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = folder_.filePath("silent").toUtf8();
    std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::listen(silent, 8);
    ASSERT_TRUE(start());
    for (const char* server : {"playing", "stopped while playing", "none", "silent"}) {
        const bool stopped = std::string(server) == "stopped while playing";
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        if (!stopped && std::string(server) != "playing") {
            environment.insert("PULSE_SERVER", std::string(server) == "none"
                                                   ? "unix:/nonexistent/native"
                                                   : "unix:" + QString(path));
        }
        program.setProcessEnvironment(environment);
        program.start(TONVIRTA_BINARY, {"--sound"});
        ASSERT_TRUE(program.waitForStarted());
        QTest::qWait(1500);
        if (stopped) {
            stop();
        }
        QElapsedTimer closing;
        closing.start();
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        EXPECT_TRUE(program.waitForFinished(5000)) << server;
        EXPECT_LT(closing.elapsed(), 1000) << server;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << server;
        EXPECT_EQ(program.exitCode(), 0) << server;
        resume();
    }
    ::close(silent);
}

} // namespace
