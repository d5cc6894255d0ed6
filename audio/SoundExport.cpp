#include "SoundExport.h"

#include "Synthesizer.h"
#include "WholeFile.h"

#include <cmath>
#include <memory>
#include <sndfile.h>
#include <vector>

namespace audio {
namespace {

std::string write(const std::filesystem::path& path, std::span<const float> samples, int rate);

std::vector<float> render(SoundSnapshot snapshot) {
    const auto total = static_cast<std::size_t>(exportSeconds * exportSampleRate);
    const auto ramp =
        static_cast<std::size_t>(std::lround(Synthesizer::rampSeconds * exportSampleRate));
    std::vector<float> samples(total);
    Synthesizer synthesizer(exportSampleRate);
    snapshot.on = true;
    synthesizer.set(snapshot);
    synthesizer.render(std::span(samples).first(total - ramp));
    snapshot.on = false;
    synthesizer.set(snapshot);
    synthesizer.render(std::span(samples).last(ramp));
    return samples;
}

} // namespace

std::string writeSound(const std::filesystem::path& path, std::span<const float> samples,
                       int rate) {
    return writeWhole(path, [&](const auto& partial) { return write(partial, samples, rate); });
}

namespace {

std::string write(const std::filesystem::path& path, std::span<const float> samples, int rate) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(sf_open(path.c_str(), SFM_WRITE, &info),
                                                     sf_close);
    if (!file) {
        return sf_strerror(nullptr);
    }
    sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const auto count = static_cast<sf_count_t>(samples.size());
    if (sf_write_float(file.get(), samples.data(), count) != count) {
        return sf_strerror(file.get());
    }
    // The last of it reaches the disk on closing, where a full disk shows.
    return sf_close(file.release()) == 0 ? std::string() : "the file could not be completed";
}

} // namespace

std::string exportSound(const std::filesystem::path& path, SoundSnapshot snapshot) {
    return writeWhole(path, [&snapshot](const auto& partial) {
        return write(partial, render(snapshot), exportSampleRate);
    });
}

} // namespace audio
