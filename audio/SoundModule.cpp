#include "SoundModule.h"

#include <cstdio>
#include <dlfcn.h>

namespace audio {

// Found through the program's run path: beside it in the build tree, in its private library
// folder once installed. It stays loaded to the end, as what it made may outlive any owner.
const SoundModule* soundModule() {
    static const SoundModule* const loaded = []() -> const SoundModule* {
        void* library = ::dlopen("libtonvirta-sound.so", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            std::fprintf(stderr, "tonvirta: %s\n", ::dlerror());
            return nullptr;
        }
        auto* entry = reinterpret_cast<decltype(&tonvirta_sound_module)>(
            ::dlsym(library, "tonvirta_sound_module"));
        return entry != nullptr ? entry() : nullptr;
    }();
    return loaded;
}

} // namespace audio
