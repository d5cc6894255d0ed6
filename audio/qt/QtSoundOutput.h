#pragma once

#include "audio/Player.h"
#include "audio/SnapshotExchange.h"
#include "audio/SoundOutput.h"

#include <QObject>
#include <QString>
#include <memory>

namespace audio {

// Sound through the sound server's default output. The window's thread only drops snapshots
// into an exchange that the player's thread reads without waiting; what the server lets us do
// comes back here as a short reason when sound cannot be played. The player, and the sound
// libraries with it, are loaded when sound is first switched on or listened to; until then
// nothing speaks against sound, or against an input.
class QtSoundOutput final : public QObject, public SoundOutput {
    Q_OBJECT

public:
    // How long closing waits for the sound to die away; a sound server that does not answer
    // must not hold up the program's end.
    static constexpr int closeWaitMs = 400;

    QtSoundOutput();
    QtSoundOutput(const QtSoundOutput&) = delete;
    QtSoundOutput& operator=(const QtSoundOutput&) = delete;
    ~QtSoundOutput() override;

    [[nodiscard]] std::string unavailableReason() const override { return reason_.toStdString(); }
    void publish(const SoundSnapshot& snapshot) override;
    [[nodiscard]] bool hasInput() const override { return hasInput_; }
    [[nodiscard]] bool answered() const override { return answered_; }
    void listen(const Listener& listener) override;
    void play(const NoteEvent& event) override;
    void startTune() override;
    bool sendTune(const TimedNote& note) override;
    void stopTune() override;
    bool openMidi(const std::function<void(const NoteEvent&)>& heard) override;
    void closeMidi() override;

private:
    Player* player();
    void stateReported(ServerState state);

    SnapshotExchange<SoundSnapshot> exchange_;
    NoteInbox notes_;
    std::uint32_t tunes_ = 0; // started so far
    std::shared_ptr<void> midi_;
    SoundSnapshot last_;
    std::unique_ptr<Player> player_;
    QString reason_;
    bool hasInput_ = true;
    bool answered_ = false;
};

} // namespace audio
