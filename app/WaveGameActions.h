#pragma once

#include "editor/History.h"
#include "game/WaveGame.h"
#include "scope/Views.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>
#include <span>

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
    struct Hooks {
        std::function<game::Amplitudes()> amplitudes;
        std::function<editor::Step()> state;
        // In sine phase, as the game is played, unless the step says otherwise.
        std::function<void(const editor::Step&)> loadAsOneStep;
        std::function<void(const std::optional<scope::Views::Round>&)> showRound;
        std::function<void(const QString&)> say;
        std::function<void()> soundChanged;
        std::function<bool()> soundOn;
    };

    WaveGameActions(QWidget& display, QMenu& menu, game::Random random, Hooks hooks);

    // What the sound should play instead of the boxes' sum, if anything.
    [[nodiscard]] std::optional<game::Wave> heard() const;

    void amplitudesChanged();
    // Whether the sound plays, so that a level by ear can be heard.
    void soundPlays(bool plays);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
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
    Hooks hooks_;
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
