#include "Target.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace scope {
namespace {

constexpr double pi = std::numbers::pi;

// The phase as a fraction of the period, in [0, 1).
double periodFraction(double theta) {
    const double fraction = theta / (2.0 * pi);
    return fraction - std::floor(fraction);
}

double angleOnGrid(std::size_t k, std::size_t j) {
    return static_cast<double>(k + 1) * 2.0 * pi * static_cast<double>(j) / FitMeter::gridPoints;
}

double sineOnGrid(std::size_t k, std::size_t j) {
    return std::sin(angleOnGrid(k, j));
}

} // namespace

Target::Target(std::optional<Ideal> shape, double scale, Period heights)
    : shape_(shape), scale_(scale), heights_(heights), grid_(FitMeter::gridPoints) {
    for (std::size_t j = 0; j < grid_.size(); ++j) {
        grid_[j] = at(2.0 * pi * static_cast<double>(j) / static_cast<double>(grid_.size()));
    }
    sample();
}

// On the grid as the meter sums the player's harmonics, term for term, and odd as the meter
// takes a sum to be: the same amplitudes then meet it to the last bit.
Target::Target(const Amplitudes& sum) : sum_(sum), grid_(FitMeter::gridPoints) {
    const std::size_t half = grid_.size() / 2;
    for (std::size_t j = 0; j <= half; ++j) {
        for (std::size_t k = 0; k < harmonicCount; ++k) {
            if (sum[k] != 0.0) {
                grid_[j] += sum[k] * sineOnGrid(k, j);
            }
        }
        if (j > 0 && j < half) {
            grid_[grid_.size() - j] = -grid_[j];
        }
    }
    Coefficients coefficients{};
    std::transform(sum.begin(), sum.end(), coefficients.sine.begin(),
                   [](double amplitude) { return amplitude / 2.0; });
    coefficients_ = coefficients;
    sample();
}

void Target::sample() {
    for (const double value : grid_) {
        power_ += value * value / static_cast<double>(grid_.size());
    }
    for (std::size_t x = 0; x < curve_.size(); ++x) {
        curve_[x] = rowOf(at(phaseStep * static_cast<double>(x)));
    }
}

Target Target::ideal(Ideal shape, double fundamental) {
    return {shape, fundamental, {}};
}

Target Target::drawn(const Period& heights) {
    return {std::nullopt, 0.0, heights};
}

Target Target::sumOf(const Amplitudes& amplitudes) {
    return Target(amplitudes);
}

// Each ideal shape's series has first harmonic 1 before scaling; at a jump it takes the middle.
double Target::at(double theta) const {
    if (sum_) {
        double value = 0.0;
        for (std::size_t k = 0; k < harmonicCount; ++k) {
            value += (*sum_)[k] * std::sin(static_cast<double>(k + 1) * theta);
        }
        return value;
    }
    const double p = periodFraction(theta);
    if (!shape_) {
        const double column = p * periodColumns;
        const auto before = static_cast<std::size_t>(column) % periodColumns;
        const double along = column - std::floor(column);
        return heights_[before] +
               (heights_[(before + 1) % periodColumns] - heights_[before]) * along;
    }
    switch (*shape_) {
    case Ideal::Sine:
        return scale_ * std::sin(2.0 * pi * p);
    case Ideal::Square:
        return p == 0.0 || p == 0.5 ? 0.0 : scale_ * pi / 4.0 * (p < 0.5 ? 1.0 : -1.0);
    case Ideal::Sawtooth:
        return p == 0.0 ? 0.0 : scale_ * pi * (0.5 - p);
    case Ideal::Triangle:
        return scale_ * pi / 4.0 * std::asin(std::sin(2.0 * pi * p));
    }
    return 0.0;
}

FitMeter::FitMeter() : sines_(harmonicCount * gridPoints), cosines_(sines_.size()) {
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        for (std::size_t j = 0; j < gridPoints; ++j) {
            sines_[k * gridPoints + j] = sineOnGrid(k, j);
            cosines_[k * gridPoints + j] = std::cos(angleOnGrid(k, j));
        }
    }
}

const Target::Coefficients& FitMeter::coefficientsOf(const Target& target) const {
    if (!target.coefficients_) {
        Target::Coefficients coefficients{};
        for (std::size_t k = 0; k < harmonicCount; ++k) {
            for (std::size_t j = 0; j < gridPoints; ++j) {
                coefficients.sine[k] += target.grid_[j] * sines_[k * gridPoints + j] / gridPoints;
                coefficients.cosine[k] +=
                    target.grid_[j] * cosines_[k * gridPoints + j] / gridPoints;
            }
        }
        target.coefficients_ = coefficients;
    }
    return *target.coefficients_;
}

std::optional<Fit> FitMeter::measure(const Timbre& timbre, const Target& target) const {
    const Amplitudes& amplitudes = timbre.amplitudes;
    const Phases& phases = timbre.phases;
    const std::vector<double>& aim = target.onGrid();
    const auto [aimLow, aimHigh] = std::minmax_element(aim.begin(), aim.end());
    const double height = *aimHigh - *aimLow;
    if (target.power() == 0.0 || height == 0.0) {
        return std::nullopt;
    }
    // The mean of sin squared over the grid is one half for every harmonic here.
    const Target::Coefficients& coefficients = coefficientsOf(target);
    double errorPower = target.power();
    const bool sinePhase = timbre.inSinePhase();
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        if (phases[k] == 0.0) {
            errorPower += amplitudes[k] * (amplitudes[k] / 2.0 - 2.0 * coefficients.sine[k]);
        } else {
            const double radians = phases[k] * pi / 180.0;
            errorPower += amplitudes[k] * (amplitudes[k] / 2.0 -
                                           2.0 * (std::cos(radians) * coefficients.sine[k] +
                                                  std::sin(radians) * coefficients.cosine[k]));
        }
    }
    // In sine phase the sum is odd: half a period holds its peaks, and its low is minus its high.
    std::vector<double> sum(sinePhase ? gridPoints / 2 + 1 : gridPoints);
    for (std::size_t k = 0; k < harmonicCount; ++k) {
        if (amplitudes[k] == 0.0) {
            continue;
        }
        const double* sines = sines_.data() + k * gridPoints;
        const double* cosines = cosines_.data() + k * gridPoints;
        const double radians = phases[k] * pi / 180.0;
        const double sinePart =
            phases[k] == 0.0 ? amplitudes[k] : amplitudes[k] * std::cos(radians);
        const double cosinePart = amplitudes[k] * std::sin(radians);
        for (std::size_t j = 0; j < sum.size(); ++j) {
            sum[j] += phases[k] == 0.0 ? sinePart * sines[j]
                                       : sinePart * sines[j] + cosinePart * cosines[j];
        }
    }
    const auto [low, high] = std::minmax_element(sum.begin(), sum.end());
    const double sumHigh = sinePhase ? std::max(*high, -*low) : *high;
    const double sumLow = sinePhase ? -sumHigh : *low;
    return Fit{100.0 * std::sqrt(std::max(errorPower, 0.0) / target.power()),
               100.0 * std::max(sumHigh - *aimHigh, *aimLow - sumLow) / height};
}

} // namespace scope
