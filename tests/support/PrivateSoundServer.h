#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <vector>

namespace testing_support {

// A sound server of one's own, PulseAudio or PipeWire with its pulse server, whose default output
// is a mono null sink named "tonvirta", recorded from "tonvirta.monitor", the default input.
// PULSE_SERVER points at it for as long as it lives, so the program and pactl find it.
// A PipeWire may be given a smallest quantum (in samples at 48 kHz) above its own 32: a desktop's
// PipeWire runs its graph at real-time priority, which a container gives no one, and a graph of
// 256-sample cycles on a loaded machine without it misses some, gaps the program cannot help.
class PrivateSoundServer {
public:
    enum class Kind { PulseAudio, PipeWire };

    explicit PrivateSoundServer(Kind kind, int smallestQuantum = 0) : kind_(kind) {
        environment_.insert("XDG_RUNTIME_DIR", folder_.path());
        qputenv("PULSE_SERVER", address());
        if (kind_ == Kind::PipeWire) { // its parts meet on a session bus of their own
            qputenv("PIPEWIRE_REMOTE", folder_.filePath("pipewire-0").toUtf8());
            if (smallestQuantum > 0) {
                environment_.insert("XDG_CONFIG_HOME", folder_.path());
                QDir(folder_.path()).mkpath("pipewire/pipewire.conf.d");
                QFile quantum(folder_.filePath("pipewire/pipewire.conf.d/quantum.conf"));
                static_cast<void>(quantum.open(QIODevice::WriteOnly));
                quantum.write(QByteArray("context.properties = { default.clock.min-quantum = ") +
                              QByteArray::number(smallestQuantum) + " }\n");
            }
            bus_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
            bus_.waitForReadyRead(5000);
            environment_.insert("DBUS_SESSION_BUS_ADDRESS", bus_.readLine().trimmed());
        }
    }
    ~PrivateSoundServer() { // the bus goes with its QProcess
        kill();
        qputenv("PULSE_SERVER", saved_);
        qunsetenv("PIPEWIRE_REMOTE");
    }

    [[nodiscard]] QByteArray address() const {
        return "unix:" +
               folder_.filePath(kind_ == Kind::PipeWire ? "pulse/native" : "native").toUtf8();
    }

    // True once it answers with its sink in place.
    bool start() {
        if (kind_ == Kind::PulseAudio) {
            run("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                               "--load=module-native-protocol-unix auth-anonymous=1 socket=" +
                                   folder_.filePath("native")});
        } else {
            run("pipewire", {}); // the others need its socket
            static_cast<void>(QTest::qWaitFor(
                [this] { return QFile::exists(folder_.filePath("pipewire-0")); }, 5000));
            run("wireplumber", {});
            run("pipewire-pulse", {});
        }
        const auto answers = [] { return pactl({"info"}); };
        const auto defaultSink = [] { return pactl({"set-default-sink", "tonvirta"}); };
        return QTest::qWaitFor(answers, 10000) &&
               pactl({"load-module", "module-null-sink", "sink_name=tonvirta", "rate=48000",
                      "channels=1"}) &&
               QTest::qWaitFor(defaultSink, 5000); // PipeWire may take a moment to list it
    }
    // As a crash ends it: at once, with no goodbye to its clients.
    void kill() {
        for (const auto& process : processes_) {
            process->kill();
            process->waitForFinished();
        }
        processes_.clear();
        QFile::remove(folder_.filePath("pipewire-0")); // so that a new one is waited for
    }
    // To the process the program talks to.
    void signal(int number) { ::kill(static_cast<pid_t>(processes_.back()->processId()), number); }

private:
    static bool pactl(const QStringList& arguments) { // quietly
        return QProcess::execute("sh", QStringList{"-c", "pactl \"$@\" >/dev/null 2>&1", "sh"} +
                                           arguments) == 0;
    }
    void run(const QString& program, const QStringList& arguments) {
        auto& process = *processes_.emplace_back(std::make_unique<QProcess>());
        process.setProcessEnvironment(environment_);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, arguments);
        process.waitForStarted();
    }

    Kind kind_;
    QByteArray saved_ = qgetenv("PULSE_SERVER");
    QTemporaryDir folder_;
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
    QProcess bus_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

} // namespace testing_support
