#include "PlayMode.h"

#include "PianoView.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>
#include <optional>

namespace keyboard {

using audio::NoteEvent;

PlayMode::PlayMode(QWidget& window, QWidget& display, QMenu& menu, Instrument& instrument)
    : QObject(&window), window_(window), instrument_(instrument),
      action_(new QAction(tr("Play"), &display)),
      performance_([this](const NoteEvent& event) { send(event); }),
      keys_(new QWidget(&window, Qt::Window)), octaveLine_(new QLabel(keys_)) {
    action_->setObjectName(QStringLiteral("playAction"));
    action_->setCheckable(true);
    action_->setShortcut(Qt::Key_K);
    action_->setShortcutContext(Qt::WidgetShortcut);
    display.addAction(action_);
    menu.addAction(action_);
    connect(action_, &QAction::toggled, this, &PlayMode::toggled);

    keys_->setObjectName(QStringLiteral("keyboardWindow"));
    keys_->setWindowTitle(tr("Tonvirta: keyboard"));
    keys_->setAccessibleName(tr("Keyboard"));
    auto* column = new QVBoxLayout(keys_);
    column->addWidget(addPiano(*keys_), 1);
    column->addWidget(octaveLine_);
    keys_->resize(640, 200);
    keys_->installEventFilter(this);

    // An auto-repeat's release and press come together; a key truly let go is heard a moment
    // later, shorter than any note played on purpose.
    settleTimer_.setSingleShot(true);
    settleTimer_.setInterval(30);
    connect(&settleTimer_, &QTimer::timeout, this, [this] {
        performance_.settle();
        showHeld();
    });
    // Only what the keys on screen show follows this timer: the notes are sent ahead.
    fileTimer_.setInterval(10);
    connect(&fileTimer_, &QTimer::timeout, this, &PlayMode::tickFile);
    availabilityChanged();
}

PianoView* PlayMode::addPiano(QWidget& parent) {
    auto* piano = new PianoView(&parent);
    piano->setLowest(performance_.octave().base());
    connect(piano, &PianoView::mouseOn, this, [this](int note) {
        performance_.mouseAt(note < 0 ? std::nullopt : std::optional<int>(note));
        showHeld();
    });
    pianos_.push_back(piano);
    return piano;
}

void PlayMode::availabilityChanged() {
    const bool can = instrument_.canPlay();
    // Whether a server answers is known only once the sound has tried one: Play that started
    // before then ends if none does, but stays on through a server that goes and comes back.
    if (awaitingServer_ && action_->isChecked()) {
        awaitingServer_ = !can || !instrument_.answered();
        if (!can) {
            action_->setChecked(false);
            emit said(tr("Play needs a sound server."));
        }
    }
    action_->setEnabled(can || action_->isChecked());
    if (!can) {
        action_->setText(tr("Play (needs a sound server)"));
    } else if (!action_->isChecked() || midi_) {
        action_->setText(tr("Play"));
    }
}

void PlayMode::toggled(bool on) {
    if (on && !instrument_.canPlay()) {
        const QSignalBlocker quiet(action_);
        action_->setChecked(false);
        emit said(tr("Play needs a sound server."));
        return;
    }
    if (on) {
        awaitingServer_ = !instrument_.answered();
        instrument_.setPlaying(true);
        midi_ = instrument_.openMidi([this](const NoteEvent& event) {
            performance_.heard(event);
            showHeld();
        });
        action_->setText(midi_ ? tr("Play") : tr("Play (MIDI needs PipeWire)"));
        qApp->installEventFilter(this);
        connect(qApp, &QApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) {
                    if (state != Qt::ApplicationActive) {
                        keysLost();
                    }
                });
        showHeld();
        emit said(tr("Play: Z to / and Q to P play notes from %1; - and = change the octave; "
                     "Escape ends it.")
                      .arg(nameOfC(performance_.octave().base())));
        QWidget* active = QApplication::activeWindow();
        keys_->show();
        if (active != nullptr) { // the keys play at once where K was pressed
            active->activateWindow();
        }
    } else {
        qApp->removeEventFilter(this);
        disconnect(qApp, nullptr, this, nullptr);
        stopFile();
        performance_.stop();
        showHeld();
        instrument_.closeMidi();
        midi_ = false;
        instrument_.setPlaying(false);
        if (keys_->isActiveWindow()) {
            window_.activateWindow();
        }
        keys_->hide();
        availabilityChanged();
    }
}

void PlayMode::send(const NoteEvent& event) {
    if (event.kind == NoteEvent::Kind::On) {
        sayIfSilent();
    }
    instrument_.play(event);
}

// Another program has the keys, and this one will not hear them come up: their notes end now.
void PlayMode::keysLost() {
    if (!performance_.held().none()) {
        performance_.releaseKeys();
        showHeld();
    }
}

void PlayMode::sayIfSilent() {
    if (instrument_.silent()) {
        emit said(tr("Every amplitude is 0: the notes are silent. Choose a preset or set a "
                     "harmonic to hear them."));
    }
}

void PlayMode::showHeld() {
    const Notes held = performance_.held();
    for (PianoView* piano : pianos_) {
        piano->setLowest(performance_.octave().base());
        piano->setHeld(held);
    }
    octaveLine_->setText(tr("Octave from %1 (- and = change it) · Escape ends Play")
                             .arg(nameOfC(performance_.octave().base())));
}

void PlayMode::playFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        emit said(tr("%1: cannot be read").arg(name));
        return;
    }
    const QByteArray bytes = file.readAll();
    audio::MidiScore score = audio::readMidi(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size()));
    switch (score.problem) {
    case audio::MidiScore::Problem::None:
        break;
    case audio::MidiScore::Problem::NoNotes:
        emit said(tr("%1: no notes to play").arg(name));
        return;
    case audio::MidiScore::Problem::Unplayable:
        emit said(tr("%1: a kind of MIDI file Tonvirta does not play").arg(name));
        return;
    default:
        emit said(tr("%1: not a MIDI file Tonvirta can read").arg(name));
        return;
    }
    if (!action_->isChecked()) {
        action_->setChecked(true);
        if (!action_->isChecked()) {
            return;
        }
    }
    stopFile();
    instrument_.startTune();
    tune_.emplace(
        std::move(score),
        TuneFeed::Sinks{[this](const audio::TimedNote& note) { return instrument_.sendTune(note); },
                        [this](const NoteEvent& event) { performance_.heard(event); }});
    fileName_ = name;
    fileClock_.start();
    fileTimer_.start();
    emit said(tr("Playing %1 · Escape stops").arg(name));
    sayIfSilent();
}

void PlayMode::tickFile() {
    const bool going = tune_->advance(double(fileClock_.nsecsElapsed()) / 1e9);
    showHeld();
    if (!going) {
        // A file may end with the pedal down or a note never let go: it ends with the file.
        endFile();
        showHeld();
        emit said(tr("%1 played").arg(fileName_));
    }
}

void PlayMode::stopFile() {
    if (fileTimer_.isActive()) {
        endFile();
    }
}

void PlayMode::endFile() {
    fileTimer_.stop();
    tune_.reset();
    instrument_.stopTune();
    for (const NoteEvent& event : {NoteEvent{NoteEvent::Kind::Sustain, 0, 0.0F},
                                   NoteEvent{NoteEvent::Kind::AllOff, 0, 0.0F}}) {
        instrument_.play(event);
        performance_.heard(event);
    }
}

} // namespace keyboard
