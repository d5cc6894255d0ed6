#include "NoteLife.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace audio {
namespace {

// 60 dB, as a decay time is counted.
const double decayNepers = std::log(1000.0);
// A level falling faster than this, to the recording's end, is the key let go.
constexpr double releaseDbPerSecond = 40.0;
constexpr double releaseWindowSeconds = 0.05;
constexpr double leastReleaseDb = 12.0;
// A note sustains when its level falls more slowly than this after its loudest moment.
constexpr double sustainDbPerSecond = -3.0;
constexpr double leastSustainSeconds = 0.2;
constexpr double crossfadeSeconds = 0.1;
// Harmonics under this (80 dB under the loudest's peak) are too faint to say how they fall.
constexpr double faintest = 0.01;
constexpr double steepestFall = -300.0;

double decibels(double level) {
    return 20.0 * std::log10(std::max(level, 1e-9));
}

Shape magnitudesAt(const NoteLife& life, double moment) {
    const auto& moments = life.note->moments;
    const double at = std::clamp(moment, 0.0, double(moments.size() - 1));
    const auto i = std::size_t(at);
    const std::size_t next = std::min(i + 1, moments.size() - 1);
    const double w = at - double(i);
    Shape shape{};
    for (std::size_t k = 0; k < shape.size(); ++k) {
        shape[k] =
            (1.0 - w) * moments[i].timbre.amplitudes[k] + w * moments[next].timbre.amplitudes[k];
    }
    return shape;
}

// The least-squares slope of values a moment apart, per second.
double slopeOf(const std::vector<double>& values, double stepSeconds) {
    const auto n = double(values.size());
    if (values.size() < 2) {
        return 0.0;
    }
    const double meanX = (n - 1.0) / 2.0;
    const double meanY = std::accumulate(values.begin(), values.end(), 0.0) / n;
    double num = 0.0;
    double den = 0.0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        num += (double(i) - meanX) * (values[i] - meanY);
        den += (double(i) - meanX) * (double(i) - meanX);
    }
    return num / den / stepSeconds;
}

std::vector<double> levelsOf(const model::TimbreOverTime& note) {
    std::vector<double> levels;
    for (const model::Moment& m : note.moments) {
        levels.push_back(decibels(levelOf(m.timbre.amplitudes)));
    }
    return levels;
}

// Walking back from the end while the level falls fast.
std::size_t releaseStartOf(const std::vector<double>& levels, std::size_t loudest, double step) {
    const std::size_t last = levels.size() - 1;
    const auto window =
        std::max<std::size_t>(1, std::size_t(std::lround(releaseWindowSeconds / step)));
    std::size_t start = last;
    while (start > loudest + 1) {
        const std::size_t j = start - 1;
        const std::size_t to = std::min(last, j + window);
        if (levels[j] - levels[to] < releaseDbPerSecond * double(to - j) * step) {
            break;
        }
        start = j;
    }
    return levels[start] - levels[last] >= leastReleaseDb ? start : levels.size();
}

void findLoop(NoteLife& life, std::size_t bodyLength) {
    const std::size_t third = bodyLength / 3;
    life.loopStart = life.risen + third;
    life.loopEnd = life.releaseStart - std::max<std::size_t>(1, bodyLength / 10);
    const std::size_t length = life.loopEnd - life.loopStart;
    const auto wanted = std::size_t(std::lround(crossfadeSeconds / life.note->stepSeconds));
    life.crossfade = std::min({wanted, length / 2, life.loopStart});
}

void findFalls(NoteLife& life) {
    const auto& moments = life.note->moments;
    const std::size_t from = life.risen + (life.releaseStart - life.risen) / 2;
    const double floor = faintest;
    for (std::size_t k = 0; k < life.fallDbPerSecond.size(); ++k) {
        std::vector<double> levels;
        for (std::size_t i = from; i < life.releaseStart; ++i) {
            levels.push_back(decibels(std::max(moments[i].timbre.amplitudes[k], floor)));
        }
        life.fallDbPerSecond[k] =
            std::clamp(slopeOf(levels, life.note->stepSeconds), steepestFall, 0.0);
    }
}

} // namespace

double levelOf(const Shape& shape) {
    return std::sqrt(std::inner_product(shape.begin(), shape.end(), shape.begin(), 0.0));
}

Shape shapeOf(const model::Envelope& envelope, double seconds) {
    Shape shape;
    const double sustain = envelope.sustainPercent / 100.0;
    if (sustain >= 1.0) {
        shape.fill(1.0);
        return shape;
    }
    const double decaying = seconds - envelope.attackMs / 1000.0;
    const double decaySeconds = envelope.decayMs / 1000.0;
    for (std::size_t k = 0; k < shape.size(); ++k) {
        // With no decay the note rises to its sustain level, never above it, so never clicks.
        const double left =
            decaySeconds <= 0.0
                ? 0.0
                : std::exp(-decayNepers * std::pow(double(k + 1), envelope.brightness) *
                           std::max(0.0, decaying) / decaySeconds);
        shape[k] = sustain + (1.0 - sustain) * left;
    }
    return shape;
}

std::shared_ptr<const NoteLife> lifeOf(std::shared_ptr<const model::TimbreOverTime> note) {
    if (note == nullptr || note->frames || note->moments.size() < 3 || note->stepSeconds <= 0.0) {
        return nullptr;
    }
    auto life = std::make_shared<NoteLife>();
    life->note = std::move(note);
    const std::vector<double> levels = levelsOf(*life->note);
    const double step = life->note->stepSeconds;
    const auto loudest = std::max_element(levels.begin(), levels.end());
    life->loudest = std::size_t(loudest - levels.begin());
    // The attack is over once the note comes within 3 dB of its loudest.
    life->risen = std::size_t(
        std::find_if(levels.begin(), levels.end(), [&](double l) { return l >= *loudest - 3.0; }) -
        levels.begin());
    life->releaseStart = releaseStartOf(levels, life->risen, step);
    const std::size_t body = life->releaseStart - life->risen;
    const std::size_t steadyFrom = life->risen + body / 3;
    const double slope = slopeOf(std::vector<double>(levels.begin() + long(steadyFrom),
                                                     levels.begin() + long(life->releaseStart)),
                                 step);
    if (double(body) * step >= leastSustainSeconds && slope > sustainDbPerSecond) {
        findLoop(*life, body);
    } else {
        findFalls(*life);
    }
    return life;
}

Shape heldAt(const NoteLife& life, double seconds) {
    const double moment = seconds / life.note->stepSeconds;
    if (life.sustains() && moment >= double(life.loopStart)) {
        const auto length = double(life.loopEnd - life.loopStart);
        const double at =
            double(life.loopStart) + std::fmod(moment - double(life.loopStart), length);
        const auto fadeFrom = double(life.loopEnd - life.crossfade);
        Shape shape = magnitudesAt(life, at);
        if (life.crossfade > 0 && at > fadeFrom) {
            const double w = (at - fadeFrom) / double(life.crossfade);
            const Shape start = magnitudesAt(life, at - length);
            for (std::size_t k = 0; k < shape.size(); ++k) {
                shape[k] = (1.0 - w) * shape[k] + w * start[k];
            }
        }
        return shape;
    }
    const auto end = double(life.releaseStart - 1);
    if (life.sustains() || moment <= end) {
        return magnitudesAt(life, moment);
    }
    Shape shape = magnitudesAt(life, end);
    const double past = seconds - life.seconds(end);
    for (std::size_t k = 0; k < shape.size(); ++k) {
        shape[k] *= std::pow(10.0, life.fallDbPerSecond[k] * past / 20.0);
    }
    return shape;
}

Shape releasedAt(const NoteLife& life, double seconds) {
    return magnitudesAt(life, double(life.releaseStart) + seconds / life.note->stepSeconds);
}

bool releaseOver(const NoteLife& life, double seconds) {
    return double(life.releaseStart) + seconds / life.note->stepSeconds >=
           double(life.note->moments.size() - 1);
}

} // namespace audio
