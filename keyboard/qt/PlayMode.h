#pragma once

#include "audio/MidiFile.h"
#include "keyboard/Performance.h"
#include "keyboard/TuneFeed.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QWidget;

namespace keyboard {

class PianoView;

// What playing needs of the sound.
class Instrument {
public:
    virtual ~Instrument() = default;
    // A sound server answers.
    [[nodiscard]] virtual bool canPlay() const = 0;
    // A sound server has answered (it may have gone since).
    [[nodiscard]] virtual bool answered() const = 0;
    // Every amplitude is 0: notes would be silent.
    [[nodiscard]] virtual bool silent() const = 0;
    // On: sound switched on, the held tone silent and the notes heard; off: the held tone again,
    // and the sound as it was before.
    virtual void setPlaying(bool on) = 0;
    virtual void play(const audio::NoteEvent& event) = 0;
    // A tune's notes, sent ahead of their time to sound on the sound's own clock, counted from
    // startTune, which ends any tune before it; false while there is no room for the note.
    // stopTune drops what has not sounded yet.
    virtual void startTune() = 0;
    virtual bool sendTune(const audio::TimedNote& note) = 0;
    virtual void stopTune() = 0;
    // False where no PipeWire answers; what comes in is told on the window's thread.
    virtual bool openMidi(const std::function<void(const audio::NoteEvent&)>& heard) = 0;
    virtual void closeMidi() = 0;
};

// Play (K with the display focused, or the menu): the timbre played as notes, from the keys on
// screen, the computer's keys, MIDI and MIDI files. Meanwhile the keys that play take precedence
// over the display's single-letter keys everywhere but in the boxes; Escape, the item or closing
// the keyboard's window ends it.
class PlayMode final : public QObject {
    Q_OBJECT

public:
    PlayMode(QWidget& window, QWidget& display, QMenu& menu, Instrument& instrument);

    [[nodiscard]] QAction& action() const { return *action_; }
    // Plays a MIDI file in the timbre; Play comes on for it.
    void playFile(const QString& path);
    // The sound server may have come or gone.
    void availabilityChanged();
    // Keys on screen in another window (the large view), played and lit as these are.
    PianoView* addPiano(QWidget& parent);

signals:
    void said(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggled(bool on);
    void send(const audio::NoteEvent& event);
    void showHeld();
    void tickFile();
    void stopFile();
    void endFile();
    void keysLost();
    void sayIfSilent();
    [[nodiscard]] bool handleKey(QObject* watched, QEvent* event);

    QWidget& window_;
    Instrument& instrument_;
    QAction* action_;
    Performance performance_;
    QWidget* keys_; // the keyboard's window
    QLabel* octaveLine_;
    std::vector<PianoView*> pianos_;
    bool midi_ = false;
    bool awaitingServer_ = false; // on, with no server yet known to answer
    std::optional<TuneFeed> tune_;
    QString fileName_;
    QElapsedTimer fileClock_;
    QTimer fileTimer_;
    QTimer settleTimer_; // lets a key's release wait to see whether it was an auto-repeat
};

} // namespace keyboard
