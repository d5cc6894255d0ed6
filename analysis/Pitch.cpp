#include "Pitch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace analysis {
namespace {

// Below this a lag is taken as a repetition of the frame.
constexpr double threshold = 0.15;

double difference(std::span<const float> x, std::size_t lag, std::size_t length) {
    double sum = 0.0;
    for (std::size_t i = 0; i < length; ++i) {
        const double d = double(x[i]) - double(x[i + lag]);
        sum += d * d;
    }
    return sum;
}

// The minimum of the parabola through three neighbouring values, as an offset from the middle.
double vertexOffset(double before, double at, double after) {
    const double curvature = before - 2.0 * at + after;
    return curvature > 0.0 ? std::clamp(0.5 * (before - after) / curvature, -0.5, 0.5) : 0.0;
}

// The whole lag within reach of a rough period at which the stretch best repeats itself.
double nearestRepeat(std::span<const float> stretch, double rough, double reach) {
    if (!(rough * (1.0 + reach) + 8.0 < double(stretch.size()))) {
        return rough; // too long a period for the stretch, or none at all
    }
    const auto lowest = static_cast<std::size_t>(std::max(2.0, std::floor(rough * (1.0 - reach))));
    const auto highest = static_cast<std::size_t>(std::ceil(rough * (1.0 + reach)));
    const std::size_t length = stretch.size() - highest - 1;
    std::size_t best = lowest;
    double least = difference(stretch, lowest, length);
    for (std::size_t lag = lowest + 1; lag <= highest; ++lag) {
        const double d = difference(stretch, lag, length);
        best = d < least ? lag : best;
        least = std::min(least, d);
    }
    return double(best);
}

} // namespace

// Lag by lag, and no further than the dip that settles it.
std::optional<double> yinPeriod(std::span<const float> frame, int minLag, int maxLag) {
    const auto last = static_cast<std::size_t>(maxLag);
    const auto first = static_cast<std::size_t>(std::max(minLag, 2));
    const std::size_t length = frame.size() - last - 1;
    std::vector<double> normalised(last + 2, 1.0);
    double running = 0.0;
    std::size_t dip = 0;
    for (std::size_t lag = 1; lag <= last + 1; ++lag) {
        const double d = difference(frame, lag, length);
        running += d;
        normalised[lag] = running > 0.0 ? d * double(lag) / running : 1.0;
        if (dip == 0 && lag >= first && lag <= last && normalised[lag] < threshold) {
            dip = lag;
        } else if (dip != 0 && normalised[lag] >= normalised[lag - 1]) {
            const std::size_t best = lag - 1;
            return double(best) +
                   vertexOffset(normalised[best - 1], normalised[best], normalised[lag]);
        }
    }
    return dip != 0 ? std::optional(double(last)) : std::nullopt;
}

// Over ever more periods, so that each step's error is small against the next step's search.
double refinedPeriod(std::span<const float> stretch, double rough, double reach) {
    if (reach > 0.0) {
        rough = nearestRepeat(stretch, rough, reach);
    }
    double period = rough;
    for (double periods = 1.0; 2.0 * periods * period + 8.0 < double(stretch.size());
         periods *= 2.0) {
        const auto guess = static_cast<std::size_t>(std::lround(periods * period));
        if (guess < 4) {
            break;
        }
        const std::size_t length = stretch.size() - guess - 4;
        std::array<double, 7> d{};
        for (std::size_t i = 0; i < d.size(); ++i) {
            d[i] = difference(stretch, guess + i - 3, length);
        }
        const auto best = static_cast<std::size_t>(
            std::clamp<std::ptrdiff_t>(std::min_element(d.begin(), d.end()) - d.begin(), 1, 5));
        period = (double(guess + best) - 3.0 + vertexOffset(d[best - 1], d[best], d[best + 1])) /
                 periods;
    }
    // A stretch that hardly repeats may lead the search astray: then the rough one stands.
    return std::abs(period - rough) < 0.05 * rough ? period : rough;
}

} // namespace analysis
