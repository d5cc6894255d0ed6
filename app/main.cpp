#include "MainWindow.h"
#include "Translations.h"
#include "analysis/qt/SoundCommands.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QIcon>
#include <QSocketNotifier>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// Qt prints these itself and ships no Lithuanian for them; listed so that they are translated
// with the program's own texts.
[[maybe_unused]] constexpr std::array qtCommandLineTexts{
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays version information."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help on commandline options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help including Qt specific options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown option '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown options: %1."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Missing value after '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "[options]"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Usage: %1"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Options:"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Arguments:"),
};

// Described once the language is known.
struct Options {
    QCommandLineOption sound{{QStringLiteral("s"), QStringLiteral("sound")},
                             QCoreApplication::translate("main", "Start with the sound on.")};
    QCommandLineOption analyse{
        QStringLiteral("analyse"),
        QCoreApplication::translate(
            "main",
            "Print the 17 amplitudes and the fundamental of the sound in <file>, with no window."),
        QStringLiteral("file")};
    QCommandLineOption overTime{
        QStringLiteral("over-time"),
        QCoreApplication::translate("main", "With --analyse: print the note's 17 harmonics and "
                                            "pitch every 10 ms as CSV instead.")};
    QCommandLineOption resynthesise{
        QStringLiteral("resynthesise"),
        QCoreApplication::translate(
            "main", "Write the note in <file>, rebuilt from its harmonics over time, to the WAV "
                    "file named after it, with no window."),
        QStringLiteral("file")};
    QCommandLineOption wavetable{
        QStringLiteral("wavetable"),
        QCoreApplication::translate(
            "main", "Write the note in the file named next, as a wavetable of <frames> frames (2 "
                    "to 256) spread over its life, to the WAV file named after it, with no "
                    "window."),
        QStringLiteral("frames")};
    QCommandLineOption largeView{
        QStringLiteral("large-view"),
        QCoreApplication::translate("main",
                                    "Open the large view too, full screen, as for a projector.")};

    explicit Options(QCommandLineParser& parser) {
        parser.setApplicationDescription(QCoreApplication::translate(
            "main", "Additive synthesis: set the amplitudes of 17 harmonics and watch their sum."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOption(sound);
        parser.addOption(analyse);
        parser.addOption(overTime);
        parser.addOption(resynthesise);
        parser.addOption(wavetable);
        parser.addOption(largeView);
        parser.addPositionalArgument(
            QStringLiteral("file"),
            QCoreApplication::translate("main", "A sound to take apart into its harmonics, or a "
                                                "MIDI file (.mid) to play in the timbre."),
            QStringLiteral("[file]"));
    }
};

// A terminal's Ctrl+C or a session's request to quit closes the window as its close button
// does, so the sound dies away rather than stopping dead. The handler only writes a byte; the
// window is closed from the event loop.
std::array<int, 2> closeRequests{-1, -1};

void closeOnTerminationSignals(QWidget& window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, closeRequests.data()) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(closeRequests[1], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, notifier] {
        char byte = 0;
        (void)::read(closeRequests[1], &byte, 1);
        notifier->setEnabled(false);
        window.close();
    });
    struct sigaction action {};
    action.sa_handler = [](int) {
        const char byte = 1;
        (void)::write(closeRequests[0], &byte, 1);
    };
    ::sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

// Closing the window ends the program within this time whatever a library still waits for on
// the way out (a sound server that has stopped answering, say).
void endWithin(std::chrono::milliseconds limit, int status) {
    std::thread([limit, status] {
        std::this_thread::sleep_for(limit);
        std::fflush(nullptr);
        std::_Exit(status);
    }).detach();
}

// --help, --version, --analyse, --resynthesise and --wavetable need no window, so they also work
// where there is no display.
bool needsNoWindow(std::span<char* const> arguments) {
    for (const char* argument : arguments.subspan(1)) {
        for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version",
                                   "--analyse", "--resynthesise", "--wavetable"}) {
            const std::size_t length = std::strlen(option);
            if (std::strcmp(argument, option) == 0 ||
                (option[1] == '-' && std::strncmp(argument, option, length) == 0 &&
                 argument[length] == '=')) {
                return true;
            }
        }
    }
    return false;
}

// For measuring start-up: when asked, says once when the first waveform reaches the screen,
// as milliseconds since the epoch, so a script can subtract its own launch time.
void logFirstFrameIfAsked(app::Form1& window) {
    if (qEnvironmentVariableIsEmpty("TONVIRTA_LOG_FIRST_FRAME")) {
        return;
    }
    auto* oscil = window.findChild<forms::PictureBox*>(QStringLiteral("oscil"));
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(oscil, &forms::PictureBox::framePainted, oscil, [connection] {
        std::fprintf(stderr, "tonvirta: first frame at %lld\n",
                     QDateTime::currentMSecsSinceEpoch());
        QObject::disconnect(*connection);
    });
}

bool hasDisplay() {
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

int ranWithoutWindow(const QCommandLineParser& parser, const Options& options) {
    const QStringList files = parser.positionalArguments();
    const auto fail = [](const char* why) {
        std::fprintf(stderr, "%s\n",
                     QCoreApplication::translate("main", why).toLocal8Bit().constData());
        return EXIT_FAILURE;
    };
    if (parser.isSet(options.resynthesise)) {
        return files.size() == 1
                   ? app::writeResynthesis(parser.value(options.resynthesise), files.front())
                   : fail(QT_TRANSLATE_NOOP(
                         "main", "tonvirta: --resynthesise FILE OUT.wav needs the file to write"));
    }
    if (parser.isSet(options.wavetable)) {
        return files.size() == 2
                   ? app::writeWavetable(parser.value(options.wavetable), files[0], files[1])
                   : fail(QT_TRANSLATE_NOOP("main", "tonvirta: --wavetable FRAMES FILE OUT.wav "
                                                    "needs the file to read and the file to "
                                                    "write"));
    }
    if (parser.isSet(options.analyse)) {
        return parser.isSet(options.overTime) ? app::printTracks(parser.value(options.analyse))
                                              : app::printAnalysis(parser.value(options.analyse));
    }
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Tonvirta"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TONVIRTA_VERSION));
    QCommandLineParser parser;

    if (needsNoWindow({argv, static_cast<std::size_t>(argc)}) || !hasDisplay()) {
        const QCoreApplication app(argc, argv);
        const app::Translations translations;
        if (!hasDisplay() && !needsNoWindow({argv, static_cast<std::size_t>(argc)})) {
            const QString why = QCoreApplication::translate(
                "main", "tonvirta: no display to open the window on (DISPLAY and WAYLAND_DISPLAY "
                        "are unset); run it under a virtual one with: xvfb-run tonvirta");
            std::fprintf(stderr, "%s\n", why.toLocal8Bit().constData());
            return EXIT_FAILURE;
        }
        const Options options(parser);
        parser.process(app);
        return ranWithoutWindow(parser, options);
    }

    QApplication app(argc, argv);
    const app::Translations translations;
    const Options options(parser);
    parser.process(app);
    // The desktop finds the entry, icon and metadata installed under this one id.
    QGuiApplication::setDesktopFileName(QStringLiteral("lt.dorvila.Tonvirta"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("lt.dorvila.Tonvirta")));
    const auto program = app::createMainWindow();
    app::Form1* window = &program->window();
    logFirstFrameIfAsked(*window);
    closeOnTerminationSignals(*window);
    if (parser.isSet(options.sound)) {
        window->findChild<QAction*>(QStringLiteral("soundAction"))->setChecked(true);
    }
    window->show();
    if (parser.isSet(options.largeView)) {
        window->findChild<QAction*>(QStringLiteral("largeViewAction"))->setChecked(true);
        window->findChild<QWidget*>(QStringLiteral("largeView"))->showFullScreen();
    }
    if (!parser.positionalArguments().isEmpty()) {
        program->openSound(parser.positionalArguments().constFirst());
    }
    const int status = QApplication::exec();
    endWithin(std::chrono::milliseconds(800), status);
    return status;
}
