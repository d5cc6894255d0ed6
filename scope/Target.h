#pragma once

#include "Drawing.h"

#include <optional>
#include <vector>

namespace scope {

// The shape a sum of harmonics aims at, in amplitude units with the display's sign and phase.
class Target {
public:
    enum class Ideal { Sine, Square, Sawtooth, Triangle };

    // Scaled so that its own first harmonic equals the given amplitude.
    static Target ideal(Ideal shape, double fundamental);
    // One period as drawn, straight between the columns.
    static Target drawn(const Period& heights);
    // The sum of the given harmonics itself, so that a sum with the same amplitudes meets it
    // exactly: no error and no overshoot.
    static Target sumOf(const Amplitudes& amplitudes);

    // At phase theta, in radians.
    [[nodiscard]] double at(double theta) const;
    // One value a point of the fit grid.
    [[nodiscard]] const std::vector<double>& onGrid() const { return grid_; }
    // The mean square over the grid.
    [[nodiscard]] double power() const { return power_; }
    // y at every display column, for drawing it.
    [[nodiscard]] const Curve& curve() const { return curve_; }

private:
    Target(std::optional<Ideal> shape, double scale, Period heights);
    explicit Target(const Amplitudes& sum);
    void sample();

    std::optional<Ideal> shape_;
    std::optional<Amplitudes> sum_;
    double scale_ = 0.0;
    Period heights_{};
    std::vector<double> grid_;
    double power_ = 0.0;
    Curve curve_{};
    friend class FitMeter;
    struct Coefficients {
        Amplitudes sine{};
        Amplitudes cosine{};
    };
    // Its coefficients on the grid, once a meter has worked them out.
    mutable std::optional<Coefficients> coefficients_;
};

// How close a sum comes to its target, in percent: the RMS of the difference against the
// target's RMS, and how far the sum's peaks pass the target's against its peak-to-peak height
// (negative when the sum stays inside).
struct Fit {
    double rmsError = 0.0;
    double overshoot = 0.0;
};

// Measures on a grid of gridPoints over one period; the sines and cosines are worked out once.
// They are orthogonal on the grid, so the mean square of the difference follows from the
// target's coefficients (worked out once a target) and the harmonics alone; only the peaks need
// the sum at every point, and in sine phase only over half the period, as the sum is then odd.
class FitMeter {
public:
    static constexpr std::size_t gridPoints = 4096;

    FitMeter();
    // Nothing for a flat target, which has nothing to compare against.
    [[nodiscard]] std::optional<Fit> measure(const Timbre& timbre, const Target& target) const;

private:
    const Target::Coefficients& coefficientsOf(const Target& target) const;

    std::vector<double> sines_;   // sin(k theta_j), row k - 1
    std::vector<double> cosines_; // cos(k theta_j), likewise
};

} // namespace scope
