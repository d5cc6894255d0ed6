#include "Features.h"

#include "Form1.h"
#include "accessible/qt/LineEditAccessible.h"
#include "analysis/qt/Listening.h"
#include "analysis/qt/SoundOpening.h"
#include "audio/NoteLife.h"
#include "audio/qt/SoundControls.h"
#include "editor/qt/EditActions.h"
#include "editor/qt/FileActions.h"
#include "game/qt/WaveGameActions.h"
#include "help/qt/Help.h"
#include "keyboard/qt/PianoView.h"
#include "keyboard/qt/PlayMode.h"
#include "largeview/LargeView.h"
#include "scope/qt/DisplayDescription.h"
#include "scope/qt/DisplayItem.h"
#include "scope/qt/DisplayViews.h"
#include "scope/qt/Note.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <random>
#include <utility>

namespace app {

Features::Features(Form1& window, std::unique_ptr<audio::SoundOutput> sound, game::Random random)
    : window_(window), soundOutput_(std::move(sound)) {
    createDisplayMenu();
    sound_ = new SoundControls(window_, *displayMenu_, soundOutput_.get(), [this] {
        const auto hidden = game_ != nullptr ? game_->heard() : std::nullopt;
        return hidden ? *hidden : window_.tone().heard();
    });
    views_ = new DisplayViews(window_.display(), *displayMenu_, window_.tone(),
                              [this] { window_.redraw(); });
    description_ =
        new DisplayDescription(window_.display(), [this] { return window_.tone().scene(); });
    connect(views_, &DisplayViews::shownChanged, description_,
            [this] { description_->setAimName(views_->aimName()); });
    connect(&window_, &Form1::presetClicked, this, [this](int preset) {
        views_->presetClicked(preset);
        description_->presetPressed();
    });
    window_.tone().listen([this](model::Tone::Change change) { toneChanged(int(change)); });
    createEditActions();
    createPlayAndListening();
    quietenBoxes();
    createWaveGame(std::move(random));
    createLargeView();
    new help::Help(window_, *displayMenu_);
    connect(&window_.timer(), &QTimer::timeout, description_, &DisplayDescription::refresh);
    description_->refresh();
}

Features::~Features() {
    delete edits_; // while the tone it steps is here: its filters see the focus leave the boxes
}

void Features::quietenBoxes() {
    for (QLineEdit* box : window_.boxes()) {
        accessible::keepFocusSelectionQuiet(*box);
    }
}

void Features::openSound(const QString& path) {
    soundOpening_->open(path);
}

// Everything beyond the window as designed is reached from here: a right click on the display,
// or the Menu key or Shift+F10 while it has the focus.
void Features::createDisplayMenu() {
    displayMenu_ = new QMenu(&window_.display());
    displayMenu_->setObjectName(QStringLiteral("displayMenu"));
    window_.display().setContextMenuPolicy(Qt::CustomContextMenu);
    connect(
        &window_.display(), &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
            displayMenu_->popup(window_.display().mapToGlobal(at));
            // Opened by a key, it starts on its first item that can be chosen, which a screen
            // reader then speaks.
            const QList<QAction*> items = displayMenu_->actions();
            const auto first = std::find_if(items.begin(), items.end(),
                                            [](const QAction* item) { return item->isEnabled(); });
            if ((QGuiApplication::mouseButtons() & Qt::RightButton) == 0 && first != items.end()) {
                displayMenu_->setActiveAction(*first);
            }
        });
    // The desktop's other key for a context menu; Qt answers only the Menu key on its own.
    auto* openMenu = new QAction(&window_.display());
    openMenu->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    openMenu->setShortcutContext(Qt::WidgetShortcut);
    window_.display().addAction(openMenu);
    connect(openMenu, &QAction::triggered, this,
            [this] { emit window_.display().customContextMenuRequested(QPoint(0, 0)); });
    window_.display().setToolTip(
        tr("Right-click here, or press the Menu key, for sound (Ctrl+P), pitch and volume"));
}

// Everything that shows or sounds the tone, told of each change wherever it came from.
void Features::toneChanged(int changed) {
    using Change = model::Tone::Change;
    const auto change = static_cast<Change>(changed);
    if (change == Change::Views || change == Change::Steps) {
        return;
    }
    if (change == Change::Envelope) {
        sound_->setEnvelope(window_.tone().envelope());
        return;
    }
    if (change == Change::Amplitudes) {
        views_->amplitudesChanged();
    }
    description_->changed();
    sound_->publishSoon();
    if (change == Change::Phases) {
        views_->phasesChanged();
        window_.redraw();
    }
}

void Features::createEditActions() {
    note_ = new Note(window_.display());
    connect(note_, &Note::shown, description_, &DisplayDescription::noteSaid);
    connect(views_, &DisplayViews::said, note_, &Note::say);
    edits_ = new EditActions(window_, *displayMenu_, window_.boxes(), window_.tone(), *note_);
    auto* files = new FileActions(
        window_, *displayMenu_, window_.display(), [this] { return sound_->snapshot(); },
        [this] {
            return editor::Step{window_.tone().texts(), window_.tone().heard().phases};
        });
    connect(files, &FileActions::said, note_, &Note::say);
    // A sound taken apart: opening it, then its note over time.
    QMenu* takenApart = displayMenu_->addMenu(tr("Sound taken apart"));
    soundOpening_ = new SoundOpening(window_, *takenApart, window_.tone());
    connect(soundOpening_, &SoundOpening::said, note_, &Note::say);
    noteActions_ = new NoteActions(window_.display(), *takenApart);
    connect(soundOpening_, &SoundOpening::noteTaken, this,
            [this, files](const std::shared_ptr<const TakenNote>& taken) {
                noteActions_->take(taken);
                files->setNote(taken != nullptr ? taken->note : nullptr);
                sound_->setLife(audio::lifeOf(taken != nullptr ? taken->note : nullptr),
                                window_.tone().amplitudes());
                if (largeView_ != nullptr) {
                    largeView_->setNoteOverTime(taken != nullptr ? taken->note : nullptr);
                }
            });
    connect(noteActions_, &NoteActions::hearWanted, sound_, &SoundControls::hear);
    connect(noteActions_, &NoteActions::exportWanted, files,
            [files](const TakenNote& taken) { files->exportTracks(*taken.note, taken.path); });
    connect(noteActions_, &NoteActions::overTimeWanted, this, [this] {
        largeViewItem_->setChecked(true);
        largeView_->focusTimePanel();
    });
    connect(soundOpening_, &SoundOpening::takenApart, this,
            [this](const analysis::Harmonics& sound) {
                views_->aimAt(sound);
                // A wavetable's frames are a period at any pitch: most are far below a note's.
                if (sound.fundamentalHz >= analysis::lowestHz &&
                    sound.fundamentalHz <= analysis::highestHz) {
                    sound_->choosePitchOfSound(sound.fundamentalHz);
                }
            });
}

void Features::createPlayAndListening() {
    play_ = new keyboard::PlayMode(window_, window_.display(), *displayMenu_, *sound_);
    connect(soundOpening_, &SoundOpening::midiChosen, play_, &keyboard::PlayMode::playFile);
    connect(play_, &keyboard::PlayMode::said, note_, &Note::say);
    connect(sound_, &SoundControls::availabilityChanged, play_,
            &keyboard::PlayMode::availabilityChanged);
    auto* listening =
        new Listening(window_.display(), *displayMenu_, soundOutput_.get(), window_.tone());
    connect(listening, &Listening::said, note_, &Note::say);
    connect(listening, &Listening::sessionChanged, sound_, &SoundControls::setListening);
    connect(listening, &Listening::heard, views_, &DisplayViews::aimAt);
    connect(sound_, &SoundControls::said, note_, &Note::say);
    connect(sound_, &SoundControls::availabilityChanged, listening,
            &Listening::availabilityChanged);
    // Listening and playing notes exclude each other, as listening and the held tone do.
    auto* listen = window_.display().findChild<QAction*>(QStringLiteral("listenAction"));
    connect(listen, &QAction::toggled, this, [this](bool on) {
        if (on) {
            play_->action().setChecked(false);
        }
    });
    connect(&play_->action(), &QAction::toggled, listen, [listen](bool on) {
        if (on) {
            listen->setChecked(false);
        }
    });
}

void Features::createWaveGame(game::Random random) {
    if (!random) {
        random = [engine = std::mt19937(static_cast<std::mt19937::result_type>(
                      std::chrono::steady_clock::now().time_since_epoch().count()))](
                     int low, int high) mutable {
            return std::uniform_int_distribution<int>(low, high)(engine);
        };
    }
    game_ = new WaveGameActions(window_.display(), *displayMenu_, std::move(random), window_.tone(),
                                sound_->soundAction());
    connect(game_, &WaveGameActions::said, note_, &Note::say);
    connect(game_, &WaveGameActions::roundShown, views_, &DisplayViews::showRound);
    connect(game_, &WaveGameActions::heardChanged, sound_, &SoundControls::publishSoon);
    connect(sound_, &SoundControls::playsChanged, game_,
            [this] { game_->soundPlays(sound_->plays()); });
}

void Features::createLargeView() {
    QAction* item =
        addDisplayItem(window_.display(), *displayMenu_, tr("Large view"), Qt::Key_V, true);
    item->setObjectName(QStringLiteral("largeViewAction"));
    largeViewItem_ = item;
    connect(item, &QAction::toggled, this, [this, item](bool on) {
        if (largeView_ == nullptr) {
            makeLargeView(*item);
        }
        largeView_->setDescription(description_->text());
        largeView_->setVisible(on);
        if (on) {
            largeView_->activateWindow();
        }
    });
    QAction* envelope = addDisplayItem(window_.display(), *displayMenu_,
                                       tr("Envelope of played notes"), Qt::SHIFT | Qt::Key_E);
    connect(envelope, &QAction::triggered, this, [this] {
        largeViewItem_->setChecked(true);
        largeView_->showEnvelope();
    });
}

// The large view works with the same keys as the window and the display: they are proxied, so
// that each still does its work in one place.
void Features::makeLargeView(QAction& item) {
    largeView_ = new largeview::LargeView(window_.tone(), &DisplayViews::fitWording, window_);
    largeView_->addActions(window_.actions());
    for (QAction* action : window_.display().actions()) {
        if (!action->shortcut().isEmpty() &&
            action->shortcut() != QKeySequence(Qt::SHIFT | Qt::Key_F10)) {
            auto* proxy = new QAction(largeView_);
            proxy->setShortcut(action->shortcut());
            connect(proxy, &QAction::triggered, action, &QAction::trigger);
            largeView_->addAction(proxy);
        }
    }
    if (const TakenNote* taken = noteActions_->taken()) {
        largeView_->setNoteOverTime(taken->note);
    }
    largeView_->setPiano(play_->addPiano(*largeView_));
    largeView_->showPiano(play_->action().isChecked());
    connect(&play_->action(), &QAction::toggled, largeView_, &largeview::LargeView::showPiano);
    largeView_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(largeView_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { displayMenu_->popup(largeView_->mapToGlobal(at)); });
    connect(largeView_, &largeview::LargeView::visibilityChanged, &item, &QAction::setChecked);
    connect(&window_.timer(), &QTimer::timeout, largeView_,
            [this] { largeView_->setDescription(description_->text()); });
    connect(note_, &Note::shown, largeView_, [this] { largeView_->showNote(note_->text()); });
}

} // namespace app
