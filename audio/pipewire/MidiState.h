#pragma once

// What the MIDI port is made of on PipeWire's graph, shared by the code that connects it and the
// code that links its sources and reads what they send.
#include "MidiInput.h"
#include "PlayerTargets.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <ctime>
#include <map>
#include <pipewire/pipewire.h>
#include <set>
#include <utility>

namespace audio {

namespace pipewire {

inline constexpr const char* midiFormat = "8 bit raw midi";

// PipeWire's method macros are GNU statement expressions, which a pedantic build refuses: its
// interfaces are called here as those macros would call them.
template <class Methods, class Object>
inline std::pair<const Methods&, void*> methodsOf(Object* object) {
    auto* interface = reinterpret_cast<spa_interface*>(object);
    return {*static_cast<const Methods*>(interface->cb.funcs), interface->cb.data};
}

inline void armTimer(pw_loop* loop, spa_source* timer, std::chrono::milliseconds after) {
    const auto [utils, data] = methodsOf<spa_loop_utils_methods>(loop->utils);
    timespec value{std::time_t(after.count() / 1000), long(after.count() % 1000) * 1'000'000};
    utils.update_timer(data, timer, &value, nullptr, false);
}

inline std::uint32_t nodeOf(const spa_dict* props) {
    const char* id = spa_dict_lookup(props, PW_KEY_NODE_ID);
    return id != nullptr ? std::uint32_t(std::strtoul(id, nullptr, 10)) : SPA_ID_INVALID;
}

inline bool isOurs(const spa_dict* props, std::uint32_t node) {
    return nodeOf(props) == node;
}

} // namespace pipewire

struct MidiInput::State {
    NoteQueue& queue;
    std::function<void(const NoteEvent&)> heard;
    pw_thread_loop* loop = nullptr;
    pw_context* context = nullptr;
    pw_core* core = nullptr;
    pw_registry* registry = nullptr;
    spa_source* retry = nullptr;     // to connect again after the server has gone
    spa_source* lateLinks = nullptr; // to link the players the session manager did not
    spa_hook coreListener{};
    spa_hook registryListener{};
    pw_filter* filter = nullptr;
    void* port = nullptr;
    spa_hook filterListener{};
    std::uint32_t ourPort = SPA_ID_INVALID;
    std::map<std::uint32_t, pw_proxy*> links; // by the source port's id
    std::set<std::uint32_t> sourcesWaiting;   // seen before our own port was known
    std::atomic<int> linked{0};
    PlayerTargets players;

    State(NoteQueue& q, std::function<void(const NoteEvent&)> h) : queue(q), heard(std::move(h)) {}

    bool connect();
    void disconnect();

    // On the loop's thread, a while after the server went (never inside the core's own event):
    // what was made with it goes, and a new one is asked for until one answers.
    void tryAgain();
    void link(std::uint32_t source);
    void portAppeared(std::uint32_t id, const spa_dict* props);
    void linkLeftOvers();
    void gone(std::uint32_t id);
    void process(spa_io_position* position);
};

} // namespace audio
