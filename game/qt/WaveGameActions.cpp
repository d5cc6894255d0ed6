#include "WaveGameActions.h"

#include "scope/Renderer.h"
#include "scope/qt/DisplayItem.h"

#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

namespace app {
namespace {

constexpr int nextWaveMs = 1500;
constexpr int earLevel = 6;

QString levelText(int number) {
    const game::Level& level = game::levels.at(static_cast<std::size_t>(number - 1));
    const QString count = level.fewest == level.most
                              ? QString::number(level.fewest)
                              : QStringLiteral("%1–%2").arg(level.fewest).arg(level.most);
    return level.byEar ? WaveGameActions::tr("Level %1, by ear: %2 of harmonics 1–%3")
                             .arg(number)
                             .arg(count)
                             .arg(level.highest)
                       : WaveGameActions::tr("Level %1: %2 of harmonics 1–%3")
                             .arg(number)
                             .arg(count)
                             .arg(level.highest);
}

} // namespace

WaveGameActions::WaveGameActions(QWidget& display, QMenu& menu, game::Random random,
                                 model::Tone& tone, const QAction& soundSwitch)
    : QObject(&display), game_(std::move(random)), tone_(tone), soundSwitch_(soundSwitch) {
    menu.addSeparator();
    toggle_ = addDisplayItem(display, menu, tr("Wave game"), Qt::Key_G, true);
    connect(toggle_, &QAction::toggled, this, &WaveGameActions::play);
    answer_ = addDisplayItem(display, menu, tr("Show answer"), Qt::Key_A);
    connect(answer_, &QAction::triggered, this, &WaveGameActions::showAnswer);
    newWave_ = addDisplayItem(display, menu, tr("New wave"), Qt::Key_N);
    connect(newWave_, &QAction::triggered, this, &WaveGameActions::nextRound);
    QMenu* levelMenu = menu.addMenu(tr("Level"));
    levels_ = new QActionGroup(levelMenu);
    for (int level = 1; level <= static_cast<int>(game::levels.size()); ++level) {
        QAction* item =
            addDisplayItem(display, *levelMenu, levelText(level), Qt::Key(Qt::Key_0 + level), true);
        item->setChecked(level == 1);
        levels_->addAction(item);
        // A level chosen before the game starts it there.
        connect(item, &QAction::triggered, this,
                [this, level] { playing_ ? chooseLevel(level) : start(level); });
    }
    hear_ = addDisplayItem(display, menu, tr("Hear the hidden wave"), Qt::Key_W, true);
    connect(hear_, &QAction::triggered, this, &WaveGameActions::switchWhatIsHeard);
    tone_.listen([this](model::Tone::Change change) {
        if (change == model::Tone::Change::Amplitudes) {
            amplitudesChanged();
        }
    });
    // Judged once the user's action is over, not at each box a preset passes on its way.
    checkSoon_.setSingleShot(true);
    checkSoon_.setInterval(0);
    connect(&checkSoon_, &QTimer::timeout, this, &WaveGameActions::check);
    nextWave_.setSingleShot(true);
    nextWave_.setInterval(nextWaveMs);
    connect(&nextWave_, &QTimer::timeout, this, &WaveGameActions::nextRound);
    display.installEventFilter(this);
    soundPlays(false);
    showRound();
}

std::optional<game::Wave> WaveGameActions::heard() const {
    return playing_ && hearingHidden_ ? std::optional(game_.hidden()) : std::nullopt;
}

// Starting puts the amplitudes aside and begins from silence; ending brings them back. Each is
// an ordinary step of undo.
void WaveGameActions::play(bool on) {
    playing_ = on;
    nextWave_.stop();
    hearingHidden_ = false;
    if (on) {
        before_ = tone_.step();
        game_.start();
        if (startLevel_ != 1) {
            game_.chooseLevel(startLevel_);
        }
        levels_->actions().at(startLevel_ - 1)->setChecked(true);
        tone_.load(model::Timbre{});
        emit said(
            tr("Wave game: set the amplitudes until your sum matches the hidden wave. A shows "
               "the answer, N draws a new wave, 1 to 6 choose the level, G ends the game.") +
            QLatin1Char(' ') + levelNote());
        startLevel_ = 1;
    } else {
        tone_.load(before_.texts, before_.phases);
        emit said(tr("Wave game over: your amplitudes are back."));
    }
    showRound();
    emit heardChanged();
}

void WaveGameActions::start(int level) {
    startLevel_ = level;
    toggle_->setChecked(true);
}

void WaveGameActions::chooseLevel(int level) {
    nextWave_.stop();
    hearingHidden_ = false;
    game_.chooseLevel(level);
    showRound();
    emit said(levelNote());
    emit heardChanged();
}

QString WaveGameActions::levelNote() const {
    return game_.rules().byEar
               ? tr("Level 6, by ear: the wave is hidden. W plays it, W again plays your sum.")
               : levelText(game_.level());
}

void WaveGameActions::nextRound() {
    nextWave_.stop();
    game_.newWave();
    showRound();
    emit said(tr("A new wave, level %1.").arg(game_.level()));
    emit heardChanged();
}

void WaveGameActions::amplitudesChanged() {
    if (playing_) {
        checkSoon_.start();
    }
}

void WaveGameActions::check() {
    if (!playing_ || game_.check(tone_.amplitudes()) != game::WaveGame::Outcome::Scored) {
        return;
    }
    QString match = tr("Match! Level %1, score %2.").arg(game_.level()).arg(game_.score());
    if (game_.readyForNextLevel()) {
        match += QLatin1Char(' ') + tr("Ready for level %1? Press %1.").arg(game_.level() + 1);
    }
    emit said(match);
    showRound();
    nextWave_.start();
}

void WaveGameActions::showAnswer() {
    game_.reveal();
    tone_.load(game_.hidden());
    emit said(tr("The answer: this round scores nothing. N draws a new wave."));
}

void WaveGameActions::switchWhatIsHeard() {
    if (!soundSwitch_.isChecked()) {
        hear_->setChecked(false);
        emit said(tr("Switch the sound on (Ctrl+P) to hear the waves."));
        return;
    }
    hearingHidden_ = hear_->isChecked();
    emit said(hearingHidden_ ? tr("Playing the hidden wave.") : tr("Playing your sum."));
    emit heardChanged();
    showRound();
}

void WaveGameActions::soundPlays(bool plays) {
    const bool stopped = soundPlays_ && !plays;
    soundPlays_ = plays;
    QAction* byEar = levels_->actions().constLast();
    byEar->setEnabled(plays);
    byEar->setText(plays ? levelText(earLevel) : tr("Level 6, by ear (needs sound)"));
    if (stopped && playing_ && game_.rules().byEar) {
        emit said(soundSwitch_.isChecked()
                      ? tr("The sound has stopped, and level 6 is only heard: your round waits "
                           "for the sound to come back.")
                      : tr("The sound is off, and level 6 is only heard: your round waits until "
                           "you switch it on (Ctrl+P)."));
    }
}

// A level that cannot be chosen takes no key; the key says why instead.
bool WaveGameActions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_0 + earLevel && key->modifiers() == Qt::NoModifier &&
            !soundPlays_) {
            emit said(tr("Level 6 is played by ear and needs the sound: switch it on with "
                         "Ctrl+P, then press 6."));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// The hidden wave, drawn unless it is to be heard, and the level and score beside the fit line.
void WaveGameActions::showRound() {
    const bool byEar = game_.rules().byEar;
    std::optional<scope::Views::Round> round;
    if (playing_) {
        round.emplace();
        if (!byEar) {
            round->hidden = scope::Target::sumOf(game_.hidden().amplitudes);
        }
        QString status = tr("Wave game: level %1, score %2").arg(game_.level()).arg(game_.score());
        // Nothing of the hidden wave is drawn: what is heard is said instead.
        if (byEar) {
            status += QString::fromStdString(std::string(scope::captionGap)) +
                      (hearingHidden_ ? tr("hearing the hidden wave (W: your sum)")
                                      : tr("hearing your sum (W: the hidden wave)"));
        }
        round->status = status.toStdString();
    }
    emit roundShown(round);
    for (QAction* action : {answer_, newWave_}) {
        action->setEnabled(playing_);
    }
    hear_->setEnabled(playing_ && byEar);
    hear_->setChecked(hearingHidden_);
}

} // namespace app
