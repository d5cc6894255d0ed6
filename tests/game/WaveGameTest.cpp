// The wave game's rules, on waves from a seeded source.
#include "game/WaveGame.h"

#include "tests/support/SeededRandom.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <set>

namespace {

// The largest magnitude of the wave's sum, over a grid of the whole period.
double peak(const game::Wave& wave) {
    double largest = 0.0;
    for (int j = 0; j < 4096; ++j) {
        double sum = 0.0;
        for (int k = 1; k <= 17; ++k) {
            if (const double a = wave.amplitudes[std::size_t(k - 1)]; a != 0) {
                sum += a * std::sin(k * 2.0 * std::numbers::pi * j / 4096);
            }
        }
        largest = std::max(largest, std::abs(sum));
    }
    return largest;
}

TEST(WaveGame, EachLevelHidesItsCountOfHarmonicsFromItsRangeInTensInsideTheDisplayNeverTwice) {
    // level, fewest and most sounding harmonics, the highest they come from
    const std::array<std::array<int, 4>, 6> table{
        {{1, 1, 1, 5}, {2, 2, 2, 7}, {3, 3, 3, 9}, {4, 4, 4, 13}, {5, 5, 8, 17}, {6, 2, 4, 9}}};
    for (const auto& [level, fewest, most, highest] : table) {
        game::WaveGame game(seededRandom(static_cast<unsigned>(level)));
        game.start();
        game.chooseLevel(level);
        std::set<int> counts, harmonics, amplitudes; // NOLINT(readability-isolate-declaration)
        double highestPeak = 0.0;
        for (int round = 0; round < 500; ++round) {
            const game::Wave wave = game.hidden();
            highestPeak = std::max(highestPeak, peak(wave));
            for (int k = 1; k <= 17; ++k) {
                if (const int a = int(wave.amplitudes[static_cast<std::size_t>(k - 1)]); a != 0) {
                    harmonics.insert(k);
                    amplitudes.insert(a);
                }
            }
            counts.insert(int(std::count_if(wave.amplitudes.begin(), wave.amplitudes.end(),
                                            [](double a) { return a != 0; })));
            game.newWave();
            ASSERT_NE(game.hidden(), wave) << level;
        }
        EXPECT_EQ(std::tuple(*counts.begin(), *counts.rbegin(), int(counts.size())),
                  std::tuple(fewest, most, most - fewest + 1));
        EXPECT_EQ(std::tuple(*harmonics.begin(), *harmonics.rbegin(), int(harmonics.size())),
                  std::tuple(1, highest, highest));
        EXPECT_LE(highestPeak, 180.0) << level;
        EXPECT_EQ(amplitudes, (std::set{-100, -90, -80, -70, -60, -50, -40, -30, -20, -10,
                                        10,   20,  30,  40,  50,  60,  70,  80,  90,  100}));
    }
}

TEST(WaveGame, AnExactMatchScoresOnceARoundAndAGivenAwayRoundNothing) {
    game::WaveGame game(seededRandom(7));
    game.start();
    using Outcome = game::WaveGame::Outcome;
    auto near = game.hidden().amplitudes;
    near[16] += 0.001;
    const std::array outcomes{game.check(near), game.check(model::Amplitudes{}),
                              game.check(game.hidden().amplitudes),
                              game.check(game.hidden().amplitudes)}; // in order, as braces evaluate
    EXPECT_EQ(outcomes, (std::array{Outcome::NoMatch, Outcome::NoMatch, Outcome::Scored,
                                    Outcome::RoundOver}));
    game.newWave();
    game.reveal();
    EXPECT_EQ(game.check(game.hidden().amplitudes), Outcome::RoundOver);
    // Points count per level; five suggest the next one, where there is one
    for (const auto& [level, points, ready] :
         {std::tuple{1, 5, true}, {2, 4, false}, {6, 5, false}}) {
        game.chooseLevel(level);
        while (game.score() < points) {
            game.check(game.hidden().amplitudes);
            game.newWave();
        }
        EXPECT_EQ(game.readyForNextLevel(), ready) << level;
    }
    game.chooseLevel(1);
    const int kept = game.score(); // and a new game starts from nothing
    game.start();
    EXPECT_EQ(std::tuple(kept, game.level(), game.score()), std::tuple(5, 1, 0));
}

} // namespace
