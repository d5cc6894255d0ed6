#include "MidiState.h"
#include "audio/MidiFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <pipewire/extensions/metadata.h>
#include <pipewire/pipewire.h>
#include <set>
#include <spa/control/control.h>
#include <spa/pod/iter.h>
#include <spa/utils/result.h>
#include <span>
#include <string>
#include <utility>

namespace audio {

using namespace pipewire;

// On the loop's thread, a while after the server went (never inside the core's own event):
// what was made with it goes, and a new one is asked for until one answers.
void MidiInput::State::tryAgain() {
    if (core != nullptr) {
        disconnect();
    }
    if (!connect()) {
        armTimer(pw_thread_loop_get_loop(loop), retry, std::chrono::seconds(1));
    }
}

namespace {

void onGlobal(void* data, std::uint32_t id, std::uint32_t /*permissions*/, const char* type,
              std::uint32_t /*version*/, const spa_dict* props) {
    auto& state = *static_cast<MidiInput::State*>(data);
    if (props == nullptr) {
        return;
    }
    if (std::strcmp(type, PW_TYPE_INTERFACE_Port) == 0) {
        state.portAppeared(id, props);
    } else if (std::strcmp(type, PW_TYPE_INTERFACE_Node) == 0) {
        state.players.nodeAppeared(id, props, pw_filter_get_node_id(state.filter));
    } else if (std::strcmp(type, PW_TYPE_INTERFACE_Link) == 0) {
        state.players.linkAppeared(props, state.ourPort);
    } else if (std::strcmp(type, PW_TYPE_INTERFACE_Metadata) == 0) {
        state.players.metadataAppeared(state.registry, id, props);
    }
}

void onGlobalRemove(void* data, std::uint32_t id) {
    static_cast<MidiInput::State*>(data)->gone(id);
}

constexpr pw_registry_events registryEvents = [] {
    pw_registry_events events{};
    events.version = PW_VERSION_REGISTRY_EVENTS;
    events.global = onGlobal;
    events.global_remove = onGlobalRemove;
    return events;
}();

void onCoreError(void* data, std::uint32_t id, int /*seq*/, int result, const char* /*message*/) {
    auto& state = *static_cast<MidiInput::State*>(data);
    if (id == PW_ID_CORE && result == -EPIPE) {
        armTimer(pw_thread_loop_get_loop(state.loop), state.retry, std::chrono::milliseconds(100));
    }
}

constexpr pw_core_events coreEvents = [] {
    pw_core_events events{};
    events.version = PW_VERSION_CORE_EVENTS;
    events.error = onCoreError;
    return events;
}();

void onRetry(void* data, std::uint64_t /*expirations*/) {
    static_cast<MidiInput::State*>(data)->tryAgain();
}

void onLateLinks(void* data, std::uint64_t /*expirations*/) {
    static_cast<MidiInput::State*>(data)->linkLeftOvers();
}

void onProcess(void* data, spa_io_position* position) {
    static_cast<MidiInput::State*>(data)->process(position);
}

constexpr pw_filter_events filterEvents = [] {
    pw_filter_events events{};
    events.version = PW_VERSION_FILTER_EVENTS;
    events.process = onProcess;
    return events;
}();

// libpipewire is set up once for the program, and never torn down while it runs.
void initialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { pw_init(nullptr, nullptr); });
}

} // namespace

MidiInput::MidiInput(std::unique_ptr<State> state) : state_(std::move(state)) {}

bool MidiInput::State::connect() {
    core = pw_context_connect(context, nullptr, 0);
    if (core == nullptr) {
        return false;
    }
    const auto [coreMethods, coreData] = methodsOf<pw_core_methods>(core);
    coreMethods.add_listener(coreData, &coreListener, &coreEvents, this);
    filter = pw_filter_new(
        core, "Tonvirta",
        // A stream to the session manager, which links to the streams it
        // knows, so that a player aimed at us (by name, or by the metadata
        // we set) is linked to us rather than ended.
        pw_properties_new(PW_KEY_MEDIA_TYPE, "Midi", PW_KEY_MEDIA_CATEGORY, "Playback",
                          PW_KEY_MEDIA_ROLE, "DSP", PW_KEY_MEDIA_CLASS, "Stream/Input/Midi",
                          PW_KEY_NODE_NAME, "Tonvirta", PW_KEY_NODE_DESCRIPTION, "Tonvirta",
                          PW_KEY_NODE_AUTOCONNECT, "false", nullptr));
    pw_filter_add_listener(filter, &filterListener, &filterEvents, this);
    port = pw_filter_add_port(
        filter, PW_DIRECTION_INPUT, PW_FILTER_PORT_FLAG_MAP_BUFFERS, 0,
        pw_properties_new(PW_KEY_FORMAT_DSP, midiFormat, PW_KEY_PORT_NAME, "input", nullptr),
        nullptr, 0);
    if (pw_filter_connect(filter, PW_FILTER_FLAG_RT_PROCESS, nullptr, 0) < 0) {
        disconnect();
        return false;
    }
    registry = pw_core_get_registry(core, PW_VERSION_REGISTRY, 0);
    const auto [registryMethods, registryData] = methodsOf<pw_registry_methods>(registry);
    registryMethods.add_listener(registryData, &registryListener, &registryEvents, this);
    return true;
}

void MidiInput::State::disconnect() {
    for (auto& [source, proxy] : links) {
        pw_proxy_destroy(proxy);
    }
    links.clear();
    sourcesWaiting.clear();
    linked = 0;
    players.clear();
    ourPort = SPA_ID_INVALID;
    if (registry != nullptr) {
        pw_proxy_destroy(reinterpret_cast<pw_proxy*>(registry));
        registry = nullptr;
    }
    if (filter != nullptr) {
        pw_filter_destroy(filter);
        filter = nullptr;
        port = nullptr;
    }
    if (core != nullptr) {
        pw_core_disconnect(core);
        core = nullptr;
    }
}

std::unique_ptr<MidiInput> MidiInput::open(NoteQueue& queue,
                                           std::function<void(const NoteEvent&)> heard) {
    initialiseOnce();
    auto state = std::make_unique<State>(queue, std::move(heard));
    State& s = *state;
    s.loop = pw_thread_loop_new("tonvirta-midi", nullptr);
    if (s.loop == nullptr) {
        return nullptr;
    }
    std::unique_ptr<MidiInput> input(new MidiInput(std::move(state)));
    pw_thread_loop_lock(s.loop);
    pw_loop* loop = pw_thread_loop_get_loop(s.loop);
    s.context = pw_context_new(loop, nullptr, 0);
    const auto [utils, utilsData] = methodsOf<spa_loop_utils_methods>(loop->utils);
    s.retry = utils.add_timer(utilsData, onRetry, &s);
    s.lateLinks = utils.add_timer(utilsData, onLateLinks, &s);
    const bool connected =
        s.context != nullptr && s.retry != nullptr && s.lateLinks != nullptr && s.connect();
    pw_thread_loop_unlock(s.loop);
    if (!connected) {
        return nullptr;
    }
    pw_thread_loop_start(s.loop);
    return input;
}

int MidiInput::sources() const {
    return state_->linked;
}

MidiInput::~MidiInput() {
    State& s = *state_;
    if (s.loop == nullptr) {
        return;
    }
    pw_thread_loop_stop(s.loop);
    s.disconnect();
    const auto [utils, data] =
        methodsOf<spa_loop_utils_methods>(pw_thread_loop_get_loop(s.loop)->utils);
    for (spa_source* timer : {s.retry, s.lateLinks}) {
        if (timer != nullptr) {
            utils.destroy_source(data, timer);
        }
    }
    if (s.context != nullptr) {
        pw_context_destroy(s.context);
    }
    pw_thread_loop_destroy(s.loop);
}

} // namespace audio
