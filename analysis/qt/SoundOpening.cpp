#include "SoundOpening.h"

#include "Opened.h"

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QWidget>

namespace app {

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
        Opened opened = openFile(path);
        const QString name = QFileInfo(path).fileName();
        if (problemWith(name, opened).isEmpty()) {
            opened.taken = overTime(path, opened);
        }
        QMetaObject::invokeMethod(
            this, [this, request, name, opened] { analysed(request, name, opened); },
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
    loadInto(tone_, opened);
    emit takenApart(harmonicsOf(opened));
    emit noteTaken(opened.taken);
    emit said(openedText(name, opened));
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

} // namespace app
