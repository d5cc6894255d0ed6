#pragma once

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <span>
#include <utility>

// Measuring recorded or synthesised sound.
namespace tone {

// Amplitude of the sine at one frequency (Goertzel), through a Hann window so that a frequency
// falling between analysis bins does not leak into its neighbours.
inline double level(std::span<const float> samples, double frequency, double rate = 48000.0) {
    const double n = static_cast<double>(samples.size());
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / rate);
    double previous = 0.0;
    double beforePrevious = 0.0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double window = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * double(i) / n);
        beforePrevious =
            std::exchange(previous, samples[i] * window + coefficient * previous - beforePrevious);
    }
    const double power = previous * previous + beforePrevious * beforePrevious -
                         coefficient * previous * beforePrevious;
    return 4.0 * std::sqrt(std::max(power, 0.0)) / n; // the window sums to n / 2
}

inline double decibels(double ratio) {
    return 20.0 * std::log10(std::max(ratio, 1e-12));
}

inline float peak(std::span<const float> samples) {
    return std::transform_reduce(
        samples.begin(), samples.end(), 0.0F, [](float a, float b) { return std::max(a, b); },
        [](float sample) { return std::fabs(sample); });
}

inline double rms(std::span<const float> samples) {
    const double power = std::transform_reduce(samples.begin(), samples.end(), 0.0, std::plus<>(),
                                               [](float s) { return double(s) * s; });
    return std::sqrt(power / double(std::max<std::size_t>(samples.size(), 1)));
}

// The steepest change from one sample to the next: a click shows as a step.
inline float largestStep(std::span<const float> samples) {
    return std::transform_reduce(
        samples.begin() + 1, samples.end(), samples.begin(), 0.0F,
        [](float a, float b) { return std::max(a, b); },
        [](float a, float b) { return std::fabs(a - b); });
}

// The frequency of a sine, from its rising zero crossings, interpolated; 0 for fewer than two.
inline double frequency(std::span<const float> s, double rate = 48000.0) {
    double first = -1.0;
    double last = 0.0;
    int crossings = 0;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i - 1] < 0 && s[i] >= 0) {
            last = double(i - 1) + s[i - 1] / (s[i - 1] - s[i]);
            first = first < 0 ? last : first;
            ++crossings;
        }
    }
    return crossings > 1 ? rate * (crossings - 1) / (last - first) : 0.0;
}

inline double cents(double hz, double wanted) {
    return 1200.0 * std::log2(std::max(hz, 1e-9) / wanted);
}

inline std::size_t longestSilence(std::span<const float> samples) {
    std::size_t run = 0;
    std::size_t longest = 0;
    for (const float sample : samples) {
        longest = std::max(longest, run = std::fabs(sample) < 1e-4F ? run + 1 : 0);
    }
    return longest;
}

} // namespace tone
