#pragma once

#include "audio/SoundOutput.h"
#include "keyboard/qt/PlayMode.h"

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace app {

// Sound on and off (Ctrl+P anywhere in the window, or the display's context menu), its pitch
// and volume, and handing the sound output what to play. Sound is off at start.
class SoundControls final : public QObject, public keyboard::Instrument {
    Q_OBJECT

public:
    using AmplitudeReader = std::function<model::Timbre()>;

    // A null output means there is nothing to play sound on. The items go into the given menu.
    SoundControls(QWidget& window, QMenu& menu, audio::SoundOutput* output,
                  AmplitudeReader amplitudes);

    // Tells the output the newest amplitudes (and everything else).
    void publish();
    // The same once the user's action has been handled, so that the sound goes from the old sum
    // to the new in one step, never through what a preset passes on its way.
    void publishSoon();
    // The sound as chosen now, whether or not it is on.
    [[nodiscard]] audio::SoundSnapshot snapshot() const;

    [[nodiscard]] QAction& soundAction() const { return *sound_; }
    // There is something to play sound on, and it answers.
    [[nodiscard]] bool canPlay() const override {
        return output_ != nullptr && output_->unavailableReason().empty();
    }
    [[nodiscard]] bool answered() const override {
        return output_ != nullptr && output_->answered();
    }
    [[nodiscard]] bool silent() const override;
    // Notes played: the sound comes on, and the held tone keeps silent until they end, when the
    // sound is as it was before.
    void setPlaying(bool on) override;
    void play(const audio::NoteEvent& event) override;
    void startTune() override;
    bool sendTune(const audio::TimedNote& note) override;
    void stopTune() override;
    bool openMidi(const std::function<void(const audio::NoteEvent&)>& heard) override;
    void closeMidi() override;
    // Switched on, answered and not silenced by listening.
    [[nodiscard]] bool plays() const;
    // Plays samples at the stream's rate once, over whatever sounds, the held tone silent
    // meanwhile; with the sound switched off, on for just as long. False, and said why, when it
    // cannot be heard.
    bool hear(std::shared_ptr<const std::vector<float>> samples);
    // While listening, the program's own sound is silent, whatever is chosen.
    void setListening(bool listening);
    // A checked pitch item for a sound's own pitch, until another is chosen; one at a time.
    void choosePitchOfSound(double hz);
    // How played notes of the timbre live.
    void setEnvelope(const model::Envelope& envelope);
    // A recorded note loaded as these amplitudes: played notes live as it did while the timbre
    // is still what it loaded. None, when no note is loaded.
    void setLife(std::shared_ptr<const audio::NoteLife> life, const model::Amplitudes& loaded);

signals:
    // The output or the input may have come or gone.
    void availabilityChanged();
    // Something to tell the user.
    void said(const QString& text);
    // Whether the sound plays may have changed.
    void playsChanged();

private:
    void buildMenu(QMenu& menu);
    void updateSoundItem();
    // Why there is no sound, or nothing while there can be.
    [[nodiscard]] QString unavailableReason() const;

    audio::SoundOutput* output_;
    AmplitudeReader amplitudes_;
    QAction* sound_;
    QString reason_; // why there is no sound, as last told
    QActionGroup* pitches_;
    QAction* soundPitch_ = nullptr;
    bool listening_ = false;
    bool playing_ = false;
    bool onForPlaying_ = false; // switched on by playing, and not touched since
    QActionGroup* volumes_;
    QTimer publishTimer_;
    audio::Clip clip_;
    model::Envelope envelope_;
    std::shared_ptr<const audio::NoteLife> life_;
    // The life before: one the sound may still hold is never freed on the sound's thread.
    std::shared_ptr<const audio::NoteLife> lifeBefore_;
    model::Amplitudes loaded_{};
    QTimer hearing_; // runs while a clip may sound
};

} // namespace app
