#include "WaveGame.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <stdexcept>
#include <utility>

namespace game {

Wave drawWave(const Level& level, const Random& random) {
    // Which harmonics sound: the first few of the allowed ones, shuffled.
    std::array<int, harmonicCount> order{};
    std::iota(order.begin(), order.end(), 0);
    for (int i = level.highest - 1; i > 0; --i) {
        std::swap(order.at(static_cast<std::size_t>(i)),
                  order.at(static_cast<std::size_t>(random(0, i))));
    }
    const int count = random(level.fewest, level.most);
    // Drawn again rather than scaled, so the amplitudes stay in tens and the count and the
    // harmonics as the level says. All at 10 always fits, so this ends; eight harmonics take
    // about a hundred draws.
    Wave wave{};
    do {
        for (int n = 0; n < count; ++n) {
            const int tens = random(1, 10);
            wave.amplitudes.at(static_cast<std::size_t>(order.at(static_cast<std::size_t>(n)))) =
                10 * (random(0, 1) == 0 ? tens : -tens);
        }
    } while (peakOf(wave) > largestPeak);
    return wave;
}

// A sum of sines is odd about 0 and pi, so half the period holds its largest magnitude; the
// grid is fine enough that a peak between its points is under 0.1 higher. The sines of the
// multiples come from the recurrence sin((k+1)t) = 2 cos(t) sin(kt) - sin((k-1)t): two calls a
// point rather than seventeen, as a wave may be drawn a hundred times.
double peakOf(const Wave& wave) {
    constexpr int points = 2048;
    double peak = 0.0;
    for (int j = 0; j <= points; ++j) {
        const double theta = std::numbers::pi * j / points;
        const double twiceCos = 2.0 * std::cos(theta);
        double before = 0.0;
        double sine = std::sin(theta);
        double sum = 0.0;
        for (const double amplitude : wave.amplitudes) {
            sum += amplitude * sine;
            before = std::exchange(sine, twiceCos * sine - before);
        }
        peak = std::max(peak, std::abs(sum));
    }
    return peak;
}

WaveGame::WaveGame(Random random) : random_(std::move(random)) {}

void WaveGame::start() {
    scores_ = {};
    chooseLevel(1);
}

void WaveGame::chooseLevel(int level) {
    if (level < 1 || level > static_cast<int>(levels.size())) {
        throw std::out_of_range("no such level");
    }
    level_ = level;
    newWave();
}

void WaveGame::newWave() {
    const Wave before = hidden_;
    do {
        hidden_ = drawWave(rules(), random_);
    } while (hidden_ == before);
    roundOpen_ = true;
}

void WaveGame::reveal() {
    roundOpen_ = false;
}

WaveGame::Outcome WaveGame::check(const model::Amplitudes& amplitudes) {
    if (!roundOpen_) {
        return Outcome::RoundOver;
    }
    if (amplitudes != hidden_.amplitudes) {
        return Outcome::NoMatch;
    }
    roundOpen_ = false;
    ++scores_.at(static_cast<std::size_t>(level_ - 1));
    return Outcome::Scored;
}

bool WaveGame::readyForNextLevel() const {
    return score() >= pointsToSuggestNextLevel && level_ < static_cast<int>(levels.size());
}

} // namespace game
