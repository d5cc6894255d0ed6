#include "MidiInput.h"

#include "PlayerTargets.h"
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

namespace {

constexpr const char* midiFormat = "8 bit raw midi";

// PipeWire's method macros are GNU statement expressions, which a pedantic build refuses: its
// interfaces are called here as those macros would call them.
template <class Methods, class Object> std::pair<const Methods&, void*> methodsOf(Object* object) {
    auto* interface = reinterpret_cast<spa_interface*>(object);
    return {*static_cast<const Methods*>(interface->cb.funcs), interface->cb.data};
}

void armTimer(pw_loop* loop, spa_source* timer, std::chrono::milliseconds after) {
    const auto [utils, data] = methodsOf<spa_loop_utils_methods>(loop->utils);
    timespec value{std::time_t(after.count() / 1000), long(after.count() % 1000) * 1'000'000};
    utils.update_timer(data, timer, &value, nullptr, false);
}

std::uint32_t nodeOf(const spa_dict* props) {
    const char* id = spa_dict_lookup(props, PW_KEY_NODE_ID);
    return id != nullptr ? std::uint32_t(std::strtoul(id, nullptr, 10)) : SPA_ID_INVALID;
}

bool isOurs(const spa_dict* props, std::uint32_t node) {
    return nodeOf(props) == node;
}

} // namespace

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
    void tryAgain() {
        if (core != nullptr) {
            disconnect();
        }
        if (!connect()) {
            armTimer(pw_thread_loop_get_loop(loop), retry, std::chrono::seconds(1));
        }
    }

    void link(std::uint32_t source) {
        if (ourPort == SPA_ID_INVALID) {
            sourcesWaiting.insert(source);
            return;
        }
        if (links.count(source) != 0) {
            return;
        }
        pw_properties* props = pw_properties_new(nullptr, nullptr);
        pw_properties_setf(props, PW_KEY_LINK_OUTPUT_PORT, "%u", source);
        pw_properties_setf(props, PW_KEY_LINK_INPUT_PORT, "%u", ourPort);
        auto* proxy = static_cast<pw_proxy*>(pw_core_create_object(
            core, "link-factory", PW_TYPE_INTERFACE_Link, PW_VERSION_LINK, &props->dict, 0));
        pw_properties_free(props);
        if (proxy != nullptr) {
            links[source] = proxy;
            linked = int(links.size());
        }
    }

    void portAppeared(std::uint32_t id, const spa_dict* props) {
        const char* format = spa_dict_lookup(props, PW_KEY_FORMAT_DSP);
        const char* direction = spa_dict_lookup(props, PW_KEY_PORT_DIRECTION);
        if (format == nullptr || direction == nullptr || std::strcmp(format, midiFormat) != 0) {
            return;
        }
        const std::uint32_t node = pw_filter_get_node_id(filter);
        if (std::strcmp(direction, "in") == 0 && isOurs(props, node)) {
            ourPort = id;
            auto waiting = std::exchange(sourcesWaiting, {});
            for (const std::uint32_t source : waiting) {
                link(source);
            }
        } else if (std::strcmp(direction, "out") == 0 && !isOurs(props, node)) {
            if (players.leaveToManager(id, nodeOf(props))) {
                armTimer(pw_thread_loop_get_loop(loop), lateLinks, std::chrono::seconds(1));
            } else {
                link(id);
            }
        }
    }

    void linkLeftOvers() {
        for (const std::uint32_t port : players.leftUnlinked()) {
            link(port);
        }
    }

    void gone(std::uint32_t id) {
        players.gone(id);
        sourcesWaiting.erase(id);
        const auto found = links.find(id);
        if (found != links.end()) {
            pw_proxy_destroy(found->second);
            links.erase(found);
            linked = int(links.size());
        }
    }

    void process(spa_io_position* /*position*/) {
        pw_buffer* buffer = pw_filter_dequeue_buffer(port);
        if (buffer == nullptr) {
            return;
        }
        spa_data& data = buffer->buffer->datas[0];
        auto* pod = static_cast<spa_pod*>(
            spa_pod_from_data(data.data, data.maxsize, data.chunk->offset, data.chunk->size));
        if (pod != nullptr && spa_pod_is_sequence(pod) != 0) {
            spa_pod_control* control = nullptr;
            SPA_POD_SEQUENCE_FOREACH(reinterpret_cast<spa_pod_sequence*>(pod), control) {
                if (control->type != SPA_CONTROL_Midi) {
                    continue;
                }
                const auto* bytes = static_cast<const std::uint8_t*>(SPA_POD_BODY(&control->value));
                NoteEvent event;
                if (noteEventOf(std::span(bytes, SPA_POD_BODY_SIZE(&control->value)), event) &&
                    queue.push(event) && heard) {
                    heard(event);
                }
            }
        }
        pw_filter_queue_buffer(port, buffer);
    }
};

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
