#include "SoundModule.h"

#include <cstddef>
#include <cstdio>
#include <dlfcn.h>
#include <string>
#include <vector>

namespace audio {
namespace {

constexpr const char* moduleName = "libtonvirta-sound.so";

// The folders the dynamic linker searches for the program itself, its run path among them.
// Asked for by name, because a sanitizer's runtime that wraps dlopen searches its own instead.
std::vector<std::string> programSearchPath() {
    void* program = ::dlopen(nullptr, RTLD_NOW);
    Dl_serinfo size{};
    if (program == nullptr || ::dlinfo(program, RTLD_DI_SERINFOSIZE, &size) != 0) {
        return {};
    }
    std::vector<std::max_align_t> buffer(size.dls_size / sizeof(std::max_align_t) + 1);
    auto* info = reinterpret_cast<Dl_serinfo*>(buffer.data());
    *info = size;
    if (::dlinfo(program, RTLD_DI_SERINFOSIZE, info) != 0 ||
        ::dlinfo(program, RTLD_DI_SERINFO, info) != 0) {
        return {};
    }
    std::vector<std::string> folders;
    for (unsigned i = 0; i < info->dls_cnt; ++i) {
        folders.emplace_back(info->dls_serpath[i].dls_name);
    }
    return folders;
}

void* openModule() {
    if (void* library = ::dlopen(moduleName, RTLD_NOW | RTLD_LOCAL)) {
        return library;
    }
    const std::string why = ::dlerror();
    for (const std::string& folder : programSearchPath()) {
        if (void* library = ::dlopen((folder + '/' + moduleName).c_str(), RTLD_NOW | RTLD_LOCAL)) {
            return library;
        }
    }
    std::fprintf(stderr, "tonvirta: %s\n", why.c_str());
    return nullptr;
}

} // namespace

// Found through the program's run path: beside it in the build tree, in its private library
// folder once installed. It stays loaded to the end, as what it made may outlive any owner.
const SoundModule* soundModule() {
    static const SoundModule* const loaded = []() -> const SoundModule* {
        void* library = openModule();
        if (library == nullptr) {
            return nullptr;
        }
        auto* entry = reinterpret_cast<decltype(&tonvirta_sound_module)>(
            ::dlsym(library, "tonvirta_sound_module"));
        return entry != nullptr ? entry() : nullptr;
    }();
    return loaded;
}

} // namespace audio
