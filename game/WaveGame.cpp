#include "WaveGame.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace game {

Amplitudes amplitudesOf(const Wave& wave) {
    Amplitudes amplitudes{};
    std::copy(wave.begin(), wave.end(), amplitudes.begin());
    return amplitudes;
}

Wave drawWave(const Level& level, const Random& random) {
    // Which harmonics sound: the first few of the allowed ones, shuffled.
    std::array<int, harmonicCount> order{};
    std::iota(order.begin(), order.end(), 0);
    for (int i = level.highest - 1; i > 0; --i) {
        std::swap(order.at(static_cast<std::size_t>(i)),
                  order.at(static_cast<std::size_t>(random(0, i))));
    }
    Wave wave{};
    const int count = random(level.fewest, level.most);
    for (int n = 0; n < count; ++n) {
        const int tens = random(1, 10);
        wave.at(static_cast<std::size_t>(order.at(static_cast<std::size_t>(n)))) =
            10 * (random(0, 1) == 0 ? tens : -tens);
    }
    return wave;
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

WaveGame::Outcome WaveGame::check(const Amplitudes& amplitudes) {
    if (!roundOpen_) {
        return Outcome::RoundOver;
    }
    if (!std::equal(amplitudes.begin(), amplitudes.end(), hidden_.begin(),
                    [](double set, int hidden) { return set == hidden; })) {
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
