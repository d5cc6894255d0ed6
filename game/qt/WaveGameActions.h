#pragma once

#include "game/WaveGame.h"
#include "model/Tone.h"
#include "scope/Views.h"

#include <QObject>
#include <QTimer>
#include <optional>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace app {

// The wave game's menu items and keys (G, A, N, 1 to 6, W with the display focused), and what
// a round shows, says and plays.
class WaveGameActions final : public QObject {
    Q_OBJECT

public:
    // The game reads and loads the tone; soundSwitch says whether the user wants sound.
    WaveGameActions(QWidget& display, QMenu& menu, game::Random random, model::Tone& tone,
                    const QAction& soundSwitch);

    // What the sound should play instead of the boxes' sum, if anything.
    [[nodiscard]] std::optional<game::Wave> heard() const;

    // Whether the sound plays, so that a level by ear can be heard.
    void soundPlays(bool plays);

signals:
    void said(const QString& text);
    // The hidden wave and the score while a round is on; none once the game ends.
    void roundShown(const std::optional<scope::Views::Round>& round);
    // What the sound should play has changed.
    void heardChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void amplitudesChanged();
    void play(bool on);
    void start(int level);
    void chooseLevel(int level);
    [[nodiscard]] QString levelNote() const;
    void nextRound();
    void check();
    void showAnswer();
    void switchWhatIsHeard();
    void showRound();

    game::WaveGame game_;
    model::Tone& tone_;
    const QAction& soundSwitch_;
    bool playing_ = false;
    bool hearingHidden_ = false;
    bool soundPlays_ = false;
    int startLevel_ = 1; // where the game starts when it is switched on
    editor::Step before_{};
    QAction* toggle_;
    QAction* answer_;
    QAction* newWave_;
    QAction* hear_;
    QActionGroup* levels_;
    QTimer checkSoon_;
    QTimer nextWave_;
};

} // namespace app
