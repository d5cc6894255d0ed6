#include "Resample.h"

#include <cmath>
#include <samplerate.h>

namespace audio {

std::vector<float> resample(std::span<const float> samples, double from, double to) {
    if (samples.empty() || from == to || from <= 0.0 || to <= 0.0) {
        return {samples.begin(), samples.end()};
    }
    const double ratio = to / from;
    std::vector<float> out(std::size_t(std::ceil(double(samples.size()) * ratio)) + 1);
    SRC_DATA data{};
    data.data_in = samples.data();
    data.data_out = out.data();
    data.input_frames = long(samples.size());
    data.output_frames = long(out.size());
    data.src_ratio = ratio;
    if (src_simple(&data, SRC_SINC_MEDIUM_QUALITY, 1) != 0) {
        return {}; // only for a ratio past its limits, which no sound file has
    }
    out.resize(std::size_t(data.output_frames_gen));
    return out;
}

} // namespace audio
