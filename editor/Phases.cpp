#include "Phases.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace editor {

Phased folded(double amplitude, double degrees) {
    if (!std::isfinite(degrees)) {
        degrees = 0.0;
    }
    double phase = std::remainder(std::nearbyint(degrees), 360.0); // [-180, 180]
    if (phase > 90.0) {
        phase -= 180.0;
        amplitude = -amplitude;
    } else if (phase <= -90.0) {
        phase += 180.0;
        amplitude = -amplitude;
    }
    return {amplitude, phase == 0.0 ? 0.0 : phase}; // no -0 to write
}

Phased fromParts(double sinePart, double cosinePart) {
    const double degrees = std::atan2(cosinePart, sinePart) * 180.0 / std::numbers::pi;
    return folded(std::hypot(sinePart, cosinePart), degrees);
}

bool allZero(const Phases& phases) {
    return std::all_of(phases.begin(), phases.end(), [](double p) { return p == 0.0; });
}

std::string phasesAsText(const Phases& phases) {
    std::string line;
    for (const double phase : phases) {
        if (!line.empty()) {
            line += ' ';
        }
        line += std::to_string(std::lround(phase));
    }
    return line;
}

} // namespace editor
