#pragma once

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

// Measuring recorded or synthesised sound.
namespace tone {

// Amplitude of the sine at one frequency (Goertzel), with a Hann window so that a frequency
// falling between analysis bins does not leak into its neighbours.
inline double level(std::span<const float> samples, double frequency, double sampleRate) {
    const double omega = 2.0 * std::numbers::pi * frequency / sampleRate;
    const double coefficient = 2.0 * std::cos(omega);
    const auto n = static_cast<double>(samples.size());
    double previous = 0.0;
    double beforePrevious = 0.0;
    double windowSum = 0.0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double window =
            0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / n);
        windowSum += window;
        const double current = samples[i] * window + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    const double power = previous * previous + beforePrevious * beforePrevious -
                         coefficient * previous * beforePrevious;
    return 2.0 * std::sqrt(std::max(power, 0.0)) / windowSum;
}

inline double decibels(double ratio) {
    return 20.0 * std::log10(std::max(ratio, 1e-12));
}

inline float peak(std::span<const float> samples) {
    float largest = 0.0F;
    for (const float sample : samples) {
        largest = std::max(largest, std::fabs(sample));
    }
    return largest;
}

} // namespace tone
