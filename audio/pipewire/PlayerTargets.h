#pragma once

#include <cstdint>
#include <pipewire/pipewire.h>
#include <set>
#include <vector>

namespace audio {

// A MIDI player left to the session manager (pw-midiplay without a target, a sequencer) is
// given no target by WirePlumber, which knows no MIDI devices, and is ended with "no node
// available". Its target is set for it in the session's metadata, as a user moving a stream
// would: our port, for as long as it is open. On the MIDI thread only.
class PlayerTargets {
public:
    // The session's "default" metadata, when the registry shows it.
    void metadataAppeared(pw_registry* registry, std::uint32_t id, const spa_dict* props);
    // A node appeared: a MIDI player is aimed at `ours`.
    void nodeAppeared(std::uint32_t id, const spa_dict* props, std::uint32_t ours);
    void gone(std::uint32_t id);
    // A port of a player the session manager links to us is left to it, as a second link of
    // ours beside its own can make it give up on the player: true, and the port is kept.
    bool leaveToManager(std::uint32_t port, std::uint32_t node);
    // A link appeared: one to our port takes its source off the ports left over.
    void linkAppeared(const spa_dict* props, std::uint32_t ourPort);
    // The ports left to the manager that it has not linked to us (a player told to wait for a
    // target), for us to link.
    [[nodiscard]] std::vector<std::uint32_t> leftUnlinked();
    // Every player let go, and the metadata with them.
    void clear();

private:
    void aim(std::uint32_t player, std::uint32_t ours);

    pw_proxy* metadata_ = nullptr;
    std::uint32_t metadataId_ = SPA_ID_INVALID;
    std::set<std::uint32_t> players_; // aimed at us, or waiting for the metadata
    std::uint32_t ours_ = SPA_ID_INVALID;
    std::set<std::uint32_t> leftToManager_; // players' ports
    std::set<std::uint32_t> linkedToUs_;    // output ports linked to ours, by anyone
};

} // namespace audio
