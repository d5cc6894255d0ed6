#include "SoundOpening.h"

#include "audio/SoundModule.h"

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QWidget>
#include <cstdio>

namespace app {
namespace {

std::optional<analysis::Analysis> analyseFile(const QString& path) {
    const audio::SoundModule* module = audio::soundModule();
    if (module == nullptr) {
        return std::nullopt;
    }
    const auto sound = module->readSound(QFile::encodeName(path).toStdString());
    if (!sound) {
        return std::nullopt;
    }
    return analysis::analyse(sound->samples, sound->rate);
}

// Why a file gave no note; nothing when it gave one.
QString problemWith(const QString& name, const std::optional<analysis::Analysis>& found) {
    if (!found) {
        return QCoreApplication::translate("SoundOpening", "%1: not a sound file Tonvirta can read")
            .arg(name);
    }
    if (found->harmonics) {
        return {};
    }
    switch (found->problem) {
    case analysis::Problem::Silent:
        return QCoreApplication::translate("SoundOpening", "%1: silent").arg(name);
    case analysis::Problem::NoSteadyPitch:
        return QCoreApplication::translate("SoundOpening", "%1: no steady pitch").arg(name);
    case analysis::Problem::TooShort:
        return QCoreApplication::translate("SoundOpening", "%1: too short").arg(name);
    }
    return {};
}

QString amplitudesLine(const std::array<int, analysis::harmonicCount>& amplitudes) {
    QStringList words;
    for (const int amplitude : amplitudes) {
        words << QString::number(amplitude);
    }
    return words.join(QLatin1Char(' '));
}

} // namespace

QString SoundOpening::chooseWithDialog(QWidget* parent) {
    return QFileDialog::getOpenFileName(
        parent, tr("Open sound"), QString(),
        tr("Sounds (*.wav *.flac *.ogg *.oga *.opus *.mp3 *.aif *.aiff);;All files (*)"));
}

SoundOpening::SoundOpening(QWidget& window, QMenu& menu, Hooks hooks)
    : QObject(&window), window_(window), hooks_(std::move(hooks)) {
    pool_.setMaxThreadCount(1);
    auto* action = new QAction(tr("Open sound…"), &window);
    action->setShortcut(QKeySequence::Open);
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    menu.addAction(action);
    connect(action, &QAction::triggered, this, [this] {
        const QString path = hooks_.chooseFile(&window_);
        if (!path.isEmpty()) {
            open(path);
        }
    });
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

// An analysis still running is let finish: it takes a fraction of a second.
SoundOpening::~SoundOpening() {
    latest_ = -1;
    pool_.waitForDone();
}

void SoundOpening::open(const QString& path) {
    const int request = ++latest_;
    pool_.start([this, request, path] {
        if (request != latest_) {
            return; // superseded before it began
        }
        const auto found = analyseFile(path);
        QMetaObject::invokeMethod(
            this,
            [this, request, name = QFileInfo(path).fileName(), found] {
                analysed(request, name, found);
            },
            Qt::QueuedConnection);
    });
}

void SoundOpening::analysed(int request, const QString& name,
                            const std::optional<analysis::Analysis>& found) {
    if (request != latest_) {
        return;
    }
    const QString problem = problemWith(name, found);
    if (!problem.isEmpty()) {
        hooks_.say(problem);
        return;
    }
    const analysis::Harmonics& harmonics = *found->harmonics;
    hooks_.load(harmonics.amplitudes);
    hooks_.aimAndPlay(harmonics);
    hooks_.say(tr("%1 Hz (%2) · %3")
                   .arg(QLocale().toString(harmonics.fundamentalHz, 'f', 1),
                        QString::fromStdString(analysis::noteName(harmonics.fundamentalHz)), name));
}

bool SoundOpening::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QList<QUrl> urls = drop->mimeData()->urls();
        if (urls.size() == 1 && urls.first().isLocalFile()) {
            drop->acceptProposedAction();
            if (event->type() == QEvent::Drop) {
                open(urls.first().toLocalFile());
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

int printAnalysis(const QString& path) {
    const auto found = analyseFile(path);
    const QString problem = problemWith(path, found);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", problem.toLocal8Bit().constData());
        return EXIT_FAILURE;
    }
    std::printf("%s\nfundamental %s Hz\n",
                amplitudesLine(found->harmonics->amplitudes).toUtf8().constData(),
                QString::number(found->harmonics->fundamentalHz, 'f', 2).toUtf8().constData());
    return EXIT_SUCCESS;
}

} // namespace app
