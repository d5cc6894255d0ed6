#include "WholeFile.h"

#include <system_error>

namespace audio {

std::string writeWhole(const std::filesystem::path& path,
                       const std::function<std::string(const std::filesystem::path&)>& writer) {
    std::filesystem::path partial = path;
    partial += ".part";
    std::string problem = writer(partial);
    std::error_code error;
    if (problem.empty()) {
        std::filesystem::rename(partial, path, error);
        problem = error ? error.message() : std::string();
    }
    if (!problem.empty()) {
        std::filesystem::remove(partial, error);
    }
    return problem;
}

} // namespace audio
