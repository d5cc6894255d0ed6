#pragma once

#include "audio/SoundOutput.h"
#include "game/WaveGame.h"

#include <QObject>
#include <memory>

class QAction;
class QMenu;

namespace largeview {
class LargeView;
}
namespace keyboard {
class PlayMode;
}

namespace app {

class DisplayDescription;
class DisplayViews;
class EditActions;
class Form1;
class Note;
class NoteActions;
class SoundControls;
class SoundOpening;
class WaveGameActions;

// Everything beyond the window as designed, built around it and wired to it and to each other:
// the display's menu and every feature there, the large view and the sound. All of them edit and
// show the window's tone.
class Features final : public QObject {
    Q_OBJECT

public:
    // Sound goes to the given output; without one, sound stays off and says why. The game draws
    // its waves from the given source, or from one seeded by the clock.
    Features(Form1& window, std::unique_ptr<audio::SoundOutput> sound, game::Random random);
    Features(const Features&) = delete;
    Features& operator=(const Features&) = delete;
    ~Features() override;

    // Takes a sound file apart into the boxes, or plays a tune, as Open sound does.
    void openSound(const QString& path);

private:
    // The boxes' own focus filter, put after the edits' so that it comes first: every other
    // filter sees the focus once.
    void quietenBoxes();
    void createDisplayMenu();
    void createEditActions();
    void createPlayAndListening();
    void createWaveGame(game::Random random);
    void createLargeView();
    void makeLargeView(QAction& item);
    void toneChanged(int change);

    Form1& window_;
    std::unique_ptr<audio::SoundOutput> soundOutput_;
    QMenu* displayMenu_ = nullptr;
    SoundControls* sound_ = nullptr;
    DisplayViews* views_ = nullptr;
    DisplayDescription* description_ = nullptr;
    EditActions* edits_ = nullptr;
    Note* note_ = nullptr;
    SoundOpening* soundOpening_ = nullptr;
    NoteActions* noteActions_ = nullptr;
    WaveGameActions* game_ = nullptr;
    largeview::LargeView* largeView_ = nullptr; // made when first opened
    QAction* largeViewItem_ = nullptr;
    keyboard::PlayMode* play_ = nullptr;
};

} // namespace app
