#include "MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>

namespace {

void describeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "Additive synthesis: set the amplitudes of 17 harmonics and watch their sum."));
    parser.addHelpOption();
    parser.addVersionOption();
}

// --help and --version need no window, so they also work where there is no display.
bool asksForInformationOnly(std::span<char* const> arguments) {
    for (const char* argument : arguments.subspan(1)) {
        for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argument, option) == 0) {
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

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Tonvirta"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TONVIRTA_VERSION));
    QCommandLineParser parser;
    describeOptions(parser);

    if (asksForInformationOnly({argv, static_cast<std::size_t>(argc)})) {
        const QCoreApplication app(argc, argv);
        parser.process(app);
        return EXIT_SUCCESS;
    }
    if (!hasDisplay()) {
        std::fputs(
            "tonvirta: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset); "
            "run it under a virtual one with: xvfb-run tonvirta\n",
            stderr);
        return EXIT_FAILURE;
    }

    QApplication app(argc, argv);
    parser.process(app);
    // The desktop finds the entry, icon and metadata installed under this one id.
    QGuiApplication::setDesktopFileName(QStringLiteral("lt.dorvila.Tonvirta"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("lt.dorvila.Tonvirta")));
    const auto window = app::createMainWindow();
    logFirstFrameIfAsked(*window);
    window->show();
    return QApplication::exec();
}
