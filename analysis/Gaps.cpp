#include "Gaps.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace analysis {

std::pair<std::size_t, std::size_t> withinGaps(std::span<const float> samples, std::size_t from,
                                               std::size_t loudFrom, std::size_t loudTo,
                                               std::size_t to, double rate) {
    const auto block = std::max<std::size_t>(1, std::size_t(0.005 * rate));
    const auto levelAt = [&](std::size_t b) {
        double sum = 0.0;
        for (std::size_t i = from + b * block; i < std::min(to, from + (b + 1) * block); ++i) {
            sum += double(samples[i]) * samples[i];
        }
        return sum;
    };
    std::vector<double> power((to - from + block - 1) / block);
    for (std::size_t b = 0; b < power.size(); ++b) {
        power[b] = levelAt(b);
    }
    const std::size_t loudFirst = (loudFrom - from) / block;
    const std::size_t loudLast = std::min(power.size(), (loudTo - from + block - 1) / block);
    double loudest = 0.0;
    for (std::size_t b = loudFirst; b < loudLast; ++b) {
        loudest = std::max(loudest, power[b]);
    }
    const auto silent = [&](std::size_t b) { return power[b] < 1e-4 * loudest; };
    const auto sound = [&](double p) { return p >= 1e-2 * loudest; };
    std::size_t begin = from;
    for (std::size_t b = loudFirst; b-- > 0;) {
        if (silent(b) && std::any_of(power.begin(), power.begin() + long(b), sound)) {
            begin = from + (b + 1) * block;
            break;
        }
    }
    std::size_t end = to;
    for (std::size_t b = loudLast; b < power.size(); ++b) {
        if (silent(b) && std::any_of(power.begin() + long(b), power.end(), sound)) {
            end = from + b * block;
            break;
        }
    }
    return {begin, end};
}

bool NextNote::beyond(double level) {
    constexpr double twelveDecibels = 4.0; // in rms
    if (lowest * twelveDecibels < highest && level > lowest * twelveDecibels) {
        return true;
    }
    highest = std::max(highest, level);
    lowest = level >= highest ? level : std::min(lowest, level);
    return false;
}

} // namespace analysis
