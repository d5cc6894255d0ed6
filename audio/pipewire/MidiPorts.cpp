#include "MidiState.h"
#include "audio/MidiFile.h"

#include <spa/control/control.h>
#include <spa/pod/iter.h>
#include <span>

namespace audio {

using namespace pipewire;

void MidiInput::State::link(std::uint32_t source) {
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

void MidiInput::State::portAppeared(std::uint32_t id, const spa_dict* props) {
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

void MidiInput::State::linkLeftOvers() {
    for (const std::uint32_t port : players.leftUnlinked()) {
        link(port);
    }
}

void MidiInput::State::gone(std::uint32_t id) {
    players.gone(id);
    sourcesWaiting.erase(id);
    const auto found = links.find(id);
    if (found != links.end()) {
        pw_proxy_destroy(found->second);
        links.erase(found);
        linked = int(links.size());
    }
}

void MidiInput::State::process(spa_io_position* position) {
    // A note is stamped with the moment its cycle began plus its place in the cycle, so that
    // notes sent together in one cycle keep their spacing.
    const bool timed = position != nullptr && position->clock.rate.denom != 0;
    const std::int64_t cycleNs = timed ? std::int64_t(position->clock.nsec) : monotonicNs();
    const double nsPerSample =
        timed ? 1e9 * position->clock.rate.num / position->clock.rate.denom : 0.0;
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
                queue.push({cycleNs + std::int64_t(control->offset * nsPerSample), event}) &&
                heard) {
                heard(event);
            }
        }
    }
    pw_filter_queue_buffer(port, buffer);
}

} // namespace audio
