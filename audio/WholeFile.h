#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace audio {

// Writes a file with the given writer beside its name, and renames it there only when whole;
// returns why it failed, or nothing.
std::string writeWhole(const std::filesystem::path& path,
                       const std::function<std::string(const std::filesystem::path&)>& writer);

} // namespace audio
