#include "PlayerTargets.h"

#include <cstdlib>
#include <cstring>
#include <pipewire/extensions/metadata.h>
#include <string>
#include <utility>

namespace audio {

namespace {

constexpr const char* targetKey = "target.node";

// PipeWire's method macros are GNU statement expressions, which a pedantic build refuses.
int setProperty(pw_proxy* metadata, std::uint32_t subject, const char* key, const char* type,
                const char* value) {
    auto* interface = reinterpret_cast<spa_interface*>(metadata);
    const auto& methods = *static_cast<const pw_metadata_methods*>(interface->cb.funcs);
    return methods.set_property(interface->cb.data, subject, key, type, value);
}

} // namespace

void PlayerTargets::metadataAppeared(pw_registry* registry, std::uint32_t id,
                                     const spa_dict* props) {
    const char* name = spa_dict_lookup(props, PW_KEY_METADATA_NAME);
    if (metadata_ != nullptr || name == nullptr || std::strcmp(name, "default") != 0) {
        return;
    }
    auto* interface = reinterpret_cast<spa_interface*>(registry);
    const auto& methods = *static_cast<const pw_registry_methods*>(interface->cb.funcs);
    metadata_ = static_cast<pw_proxy*>(
        methods.bind(interface->cb.data, id, PW_TYPE_INTERFACE_Metadata, PW_VERSION_METADATA, 0));
    metadataId_ = id;
    for (const std::uint32_t player : players_) {
        aim(player, ours_);
    }
}

void PlayerTargets::nodeAppeared(std::uint32_t id, const spa_dict* props, std::uint32_t ours) {
    const char* mediaClass = spa_dict_lookup(props, PW_KEY_MEDIA_CLASS);
    if (id == ours || mediaClass == nullptr || std::strcmp(mediaClass, "Stream/Output/Midi") != 0) {
        return;
    }
    players_.insert(id);
    aim(id, ours);
}

void PlayerTargets::aim(std::uint32_t player, std::uint32_t ours) {
    ours_ = ours;
    if (metadata_ != nullptr && ours != SPA_ID_INVALID) {
        setProperty(metadata_, player, targetKey, "Spa:Id", std::to_string(ours).c_str());
    }
}

bool PlayerTargets::leaveToManager(std::uint32_t port, std::uint32_t node) {
    if (players_.count(node) == 0) {
        return false;
    }
    leftToManager_.insert(port);
    return true;
}

void PlayerTargets::linkAppeared(const spa_dict* props, std::uint32_t ourPort) {
    const char* output = spa_dict_lookup(props, PW_KEY_LINK_OUTPUT_PORT);
    const char* input = spa_dict_lookup(props, PW_KEY_LINK_INPUT_PORT);
    if (output != nullptr && input != nullptr && std::strtoul(input, nullptr, 10) == ourPort) {
        linkedToUs_.insert(std::uint32_t(std::strtoul(output, nullptr, 10)));
    }
}

std::vector<std::uint32_t> PlayerTargets::leftUnlinked() {
    std::vector<std::uint32_t> ports;
    for (const std::uint32_t port : std::exchange(leftToManager_, {})) {
        if (linkedToUs_.count(port) == 0) {
            ports.push_back(port);
        }
    }
    return ports;
}

void PlayerTargets::gone(std::uint32_t id) {
    players_.erase(id);
    leftToManager_.erase(id);
    linkedToUs_.erase(id);
    if (id == metadataId_) {
        pw_proxy_destroy(std::exchange(metadata_, nullptr));
        metadataId_ = SPA_ID_INVALID;
    }
}

void PlayerTargets::clear() {
    if (metadata_ != nullptr) {
        for (const std::uint32_t player : std::exchange(players_, {})) {
            setProperty(metadata_, player, targetKey, nullptr, nullptr);
        }
        pw_proxy_destroy(std::exchange(metadata_, nullptr));
    }
    players_.clear();
    leftToManager_.clear();
    linkedToUs_.clear();
    metadataId_ = SPA_ID_INVALID;
}

} // namespace audio
