#pragma once

#include "model/Timbre.h"

#include <array>
#include <cstddef>
#include <functional>

namespace game {

using model::harmonicCount;
// A hidden wave: whole amplitudes, in sine phase.
using Wave = model::Timbre;

// What a level hides: how many harmonics sound, drawn from harmonics 1 to highest.
struct Level {
    int fewest;
    int most;
    int highest;
    bool byEar; // the hidden wave is heard, not seen
};
inline constexpr std::array<Level, 6> levels{{{1, 1, 5, false},
                                              {2, 2, 7, false},
                                              {3, 3, 9, false},
                                              {4, 4, 13, false},
                                              {5, 8, 17, false},
                                              {2, 4, 9, true}}};
inline constexpr int pointsToSuggestNextLevel = 5;
// The display shows up to 192 either side of its zero line: a hidden wave keeps inside it with a
// margin, so its trace never runs into the fit line or a note.
inline constexpr double largestPeak = 180.0;

// A whole number from low to high, each equally likely.
using Random = std::function<int(int low, int high)>;

// A wave the level could hide: every sounding amplitude a multiple of 10 from -100 to 100, never
// 0, so the slider's arrows and typed whole numbers can match it exactly; its peak at most
// largestPeak.
Wave drawWave(const Level& level, const Random& random);
// The largest magnitude of the wave's sum over its period.
[[nodiscard]] double peakOf(const Wave& wave);

// The rules of matching a hidden wave: rounds, levels and a score for each level.
class WaveGame {
public:
    enum class Outcome { NoMatch, Scored, RoundOver };

    explicit WaveGame(Random random);

    // Level 1, every score 0, a first wave.
    void start();
    // A new wave at the given level, 1 to 6, keeping the scores.
    void chooseLevel(int level);
    // The next wave at the same level, never the one before; an open round scores nothing.
    void newWave();
    // The answer is given away: this round scores nothing.
    void reveal();
    // Amplitudes the player has set: a match scores once a round.
    Outcome check(const model::Amplitudes& amplitudes);

    [[nodiscard]] const Wave& hidden() const { return hidden_; }
    [[nodiscard]] int level() const { return level_; }
    [[nodiscard]] const Level& rules() const {
        return levels.at(static_cast<std::size_t>(level_ - 1));
    }
    [[nodiscard]] int score() const { return scores_.at(static_cast<std::size_t>(level_ - 1)); }
    // Enough points here to try the next level, where there is one.
    [[nodiscard]] bool readyForNextLevel() const;

private:
    Random random_;
    Wave hidden_{};
    int level_ = 1;
    std::array<int, levels.size()> scores_{};
    bool roundOpen_ = false;
};

} // namespace game
