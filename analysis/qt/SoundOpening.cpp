#include "SoundOpening.h"

#include "analysis/Tracks.h"
#include "audio/Resynthesis.h"
#include "audio/SoundModule.h"
#include "editor/History.h"
#include "forms/Conversions.h"

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QWidget>
#include <cmath>
#include <cstdio>

namespace app {

// The sound in a file taken apart, or why the file gave none to take apart.
struct Opened {
    enum class Unread { None, Missing, Folder, NotSound };

    Unread unread = Unread::None;
    std::optional<analysis::Analysis> found;
    std::optional<analysis::Sound> sound;
    std::shared_ptr<const TakenNote> taken; // the note over time, when the window opened it
};

namespace {

Opened analyseFile(const QString& path) {
    using Unread = Opened::Unread;
    const QFileInfo file(path);
    if (!file.exists()) {
        return {Unread::Missing, {}, {}, {}};
    }
    if (file.isDir()) {
        return {Unread::Folder, {}, {}, {}};
    }
    const audio::SoundModule* module = audio::soundModule();
    const auto sound =
        module != nullptr ? module->readSound(QFile::encodeName(path).toStdString()) : std::nullopt;
    if (!sound) {
        return {Unread::NotSound, {}, {}, {}};
    }
    return {Unread::None, analysis::analyse(sound->samples, sound->rate), sound, {}};
}

// The note's tracks, and the note three ways at the stream's rate to be heard.
std::shared_ptr<const TakenNote> overTime(const QString& path, const analysis::Sound& sound) {
    auto note = analysis::tracksOf(sound.samples, sound.rate);
    const audio::SoundModule* module = audio::soundModule();
    if (!note || module == nullptr) {
        return nullptr;
    }
    const audio::Hearings heard = audio::hearingsOf(*note, sound.samples, sound.rate);
    const auto atStreamRate = [&](const std::vector<float>& samples) {
        return std::make_shared<const std::vector<float>>(
            module->resample(samples, sound.rate, audio::streamRate));
    };
    return std::make_shared<const TakenNote>(
        TakenNote{path, std::make_shared<const model::TimbreOverTime>(std::move(*note)),
                  atStreamRate(heard.recording), atStreamRate(heard.resynthesis),
                  atStreamRate(heard.residual)});
}

// Why a file gave no note; nothing when it gave one.
QString problemWith(const QString& name, const Opened& opened) {
    const auto say = [&name](const char* why) {
        return QCoreApplication::translate("SoundOpening", why).arg(name);
    };
    switch (opened.unread) {
    case Opened::Unread::Missing:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: no such file"));
    case Opened::Unread::Folder:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: a folder, not a sound file"));
    case Opened::Unread::NotSound:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: not a sound file Tonvirta can read"));
    case Opened::Unread::None:
        break;
    }
    if (opened.found->harmonics) {
        return {};
    }
    switch (opened.found->problem) {
    case analysis::Problem::Silent:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: silent"));
    case analysis::Problem::NoSteadyPitch:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: no steady pitch"));
    case analysis::Problem::TooShort:
        return say(QT_TRANSLATE_NOOP("SoundOpening", "%1: too short"));
    case analysis::Problem::OutOfRange:
        return say(opened.found->hz > analysis::highestHz
                       ? QT_TRANSLATE_NOOP("SoundOpening",
                                           "%1: pitch %2 Hz, above what Tonvirta takes apart")
                       : QT_TRANSLATE_NOOP("SoundOpening",
                                           "%1: pitch %2 Hz, below what Tonvirta takes apart"))
            .arg(QString::number(std::lround(opened.found->hz)));
    }
    return {};
}

std::string harmonicsLines(const analysis::Harmonics& harmonics) {
    editor::Step step{{}, harmonics.timbre.phases};
    for (std::size_t k = 0; k < step.texts.size(); ++k) {
        step.texts[k] = forms::integerToText(forms::roundToInt16(harmonics.timbre.amplitudes[k]));
    }
    return editor::harmonicsAsText(step);
}

} // namespace

QString SoundOpening::chooseWithDialog(QWidget* parent) {
    return QFileDialog::getOpenFileName(
        parent, tr("Open sound"), QString(),
        // A tune to play is opened here too, so the first choice shows both.
        tr("Sounds and MIDI files (*.wav *.flac *.ogg *.oga *.opus *.mp3 *.aif *.aiff *.mid "
           "*.midi);;Sounds (*.wav *.flac *.ogg *.oga *.opus *.mp3 *.aif *.aiff);;MIDI files to "
           "play (*.mid *.midi);;All files (*)"));
}

SoundOpening::SoundOpening(QWidget& window, QMenu& menu, model::Tone& tone)
    : QObject(&window), window_(window), tone_(tone) {
    pool_.setMaxThreadCount(1);
    auto* action = new QAction(tr("Open sound…"), &window);
    action->setShortcut(QKeySequence::Open);
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    menu.addAction(action);
    connect(action, &QAction::triggered, this, [this] {
        const QString path = chooseWithDialog(&window_);
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
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("mid") || suffix == QLatin1String("midi")) {
        emit midiChosen(path);
        return;
    }
    const int request = ++latest_;
    pool_.start([this, request, path] {
        if (request != latest_) {
            return; // superseded before it began
        }
        Opened opened = analyseFile(path);
        if (opened.found && opened.found->harmonics) {
            opened.taken = overTime(path, *opened.sound);
        }
        QMetaObject::invokeMethod(
            this,
            [this, request, name = QFileInfo(path).fileName(), opened] {
                analysed(request, name, opened);
            },
            Qt::QueuedConnection);
    });
}

void SoundOpening::analysed(int request, const QString& name, const Opened& opened) {
    if (request != latest_) {
        return;
    }
    const QString problem = problemWith(name, opened);
    if (!problem.isEmpty()) {
        emit said(problem);
        return;
    }
    const analysis::Harmonics& harmonics = *opened.found->harmonics;
    tone_.load(harmonics.timbre);
    emit takenApart(harmonics);
    emit noteTaken(opened.taken);
    emit said(tr("%1 Hz (%2) · %3")
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
    const Opened opened = analyseFile(path);
    const QString problem = problemWith(path, opened);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", problem.toLocal8Bit().constData());
        return EXIT_FAILURE;
    }
    const analysis::Harmonics& harmonics = *opened.found->harmonics;
    std::printf("%s\nfundamental %s Hz\n", harmonicsLines(harmonics).c_str(),
                QString::number(harmonics.fundamentalHz, 'f', 2).toUtf8().constData());
    return EXIT_SUCCESS;
}

namespace {

// The note in the file over time, or nothing, said on standard error.
std::optional<std::pair<model::TimbreOverTime, analysis::Sound>> tracksIn(const QString& path) {
    Opened opened = analyseFile(path);
    const QString problem = problemWith(path, opened);
    std::optional<model::TimbreOverTime> note;
    if (problem.isEmpty()) {
        note = analysis::tracksOf(opened.sound->samples, opened.sound->rate);
    }
    if (!note) {
        std::fprintf(stderr, "%s\n", problem.toLocal8Bit().constData());
        return std::nullopt;
    }
    return std::pair(std::move(*note), std::move(*opened.sound));
}

} // namespace

int printTracks(const QString& path) {
    const auto found = tracksIn(path);
    if (!found) {
        return EXIT_FAILURE;
    }
    std::fputs(analysis::csvOf(found->first).c_str(), stdout);
    return EXIT_SUCCESS;
}

int writeResynthesis(const QString& path, const QString& out) {
    const auto found = tracksIn(path);
    if (!found) {
        return EXIT_FAILURE;
    }
    const auto& [note, sound] = *found;
    const std::vector<float> rebuilt = audio::resynthesis(note, sound.rate, sound.samples.size());
    const std::string why = audio::soundModule()->writeSound(QFile::encodeName(out).toStdString(),
                                                             rebuilt, int(sound.rate));
    if (!why.empty()) {
        std::fprintf(stderr, "%s: %s\n", out.toLocal8Bit().constData(), why.c_str());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}

} // namespace app
