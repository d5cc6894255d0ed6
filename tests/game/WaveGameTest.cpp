// The wave game's rules, on waves from a seeded source.
#include "game/WaveGame.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

game::Random seeded(unsigned seed) {
    return [engine = std::mt19937(seed)](int low, int high) mutable {
        return std::uniform_int_distribution<int>(low, high)(engine);
    };
}

std::array<double, game::harmonicCount> set(const game::Wave& wave) {
    std::array<double, game::harmonicCount> amplitudes{};
    std::copy(wave.begin(), wave.end(), amplitudes.begin());
    return amplitudes;
}

TEST(WaveGame, EachLevelHidesItsCountOfHarmonicsFromItsRangeInTensAndNeverTheSameTwice) {
    // level, fewest and most sounding harmonics, the highest they come from
    const std::array<std::array<int, 4>, 6> table{
        {{1, 1, 1, 5}, {2, 2, 2, 7}, {3, 3, 3, 9}, {4, 4, 4, 13}, {5, 5, 8, 17}, {6, 2, 4, 9}}};
    for (const auto& [level, fewest, most, highest] : table) {
        game::WaveGame game(seeded(static_cast<unsigned>(level)));
        game.start();
        game.chooseLevel(level);
        std::set<int> counts;
        std::set<int> harmonics;
        std::set<int> amplitudes;
        for (int round = 0; round < 500; ++round) {
            const game::Wave wave = game.hidden();
            int count = 0;
            for (int k = 1; k <= 17; ++k) {
                const int a = wave[static_cast<std::size_t>(k - 1)];
                count += a != 0 ? 1 : 0;
                if (a != 0) {
                    harmonics.insert(k);
                    amplitudes.insert(a);
                }
            }
            counts.insert(count);
            game.newWave();
            ASSERT_NE(game.hidden(), wave) << level;
        }
        std::set<int> allowedCounts;
        std::set<int> allowedHarmonics;
        for (int n = fewest; n <= most; ++n) {
            allowedCounts.insert(n);
        }
        for (int k = 1; k <= highest; ++k) {
            allowedHarmonics.insert(k);
        }
        EXPECT_EQ(counts, allowedCounts) << level;
        EXPECT_EQ(harmonics, allowedHarmonics) << level;
        EXPECT_EQ(amplitudes, (std::set{-100, -90, -80, -70, -60, -50, -40, -30, -20, -10,
                                        10,   20,  30,  40,  50,  60,  70,  80,  90,  100}))
            << level;
    }
}

TEST(WaveGame, AnExactMatchScoresOnceARoundAndAGivenAwayRoundNothing) {
    game::WaveGame game(seeded(7));
    game.start();
    using Outcome = game::WaveGame::Outcome;
    auto near = set(game.hidden());
    near[16] += 0.001;
    EXPECT_EQ(game.check(near), Outcome::NoMatch);
    EXPECT_EQ(game.check(set({})), Outcome::NoMatch);
    EXPECT_EQ(game.check(set(game.hidden())), Outcome::Scored);
    EXPECT_EQ(game.check(set(game.hidden())), Outcome::RoundOver);
    game.newWave();
    game.reveal();
    EXPECT_EQ(game.check(set(game.hidden())), Outcome::RoundOver);
    // Points count per level; five suggest the next one, where there is one
    for (const auto& [level, points, ready] :
         {std::tuple{1, 5, true}, {2, 4, false}, {6, 5, false}}) {
        game.chooseLevel(level);
        while (game.score() < points) {
            game.check(set(game.hidden()));
            game.newWave();
        }
        EXPECT_EQ(game.readyForNextLevel(), ready) << level;
    }
    game.chooseLevel(1);
    EXPECT_EQ(game.score(), 5);
    game.start();
    EXPECT_EQ(std::pair(game.level(), game.score()), std::pair(1, 0));
}

} // namespace
