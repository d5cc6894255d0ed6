#pragma once

#include "SoundOutput.h"

namespace audio {

// What the sound server lets us do, as the user should hear of it.
enum class ServerState {
    Ready,    // sound plays when wanted
    NoServer, // none answered, and sound is not wanted: nobody is looking
    Waiting,  // sound is wanted and no server answers: looking once a second
    NoOutput, // a server answers but has no output device
};

// Plays the newest snapshot of an exchange, and listens to the default input when asked.
class Player {
public:
    Player() = default;
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;
    virtual ~Player() = default;

    // From any thread; the sound itself follows the snapshots in the exchange.
    virtual void setWanted(bool wanted) = 0;
    // Listens until told of a listener with nothing to hear, or until the input goes.
    virtual void listen(const Listener& listener) = 0;
    // Lets the sound die away when the server takes it within the given time, then lets the
    // server go whatever it does. The snapshot in the exchange must be switched off by then.
    virtual void finish(int waitMs) = 0;
};

} // namespace audio
