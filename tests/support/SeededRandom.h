#pragma once

#include "game/WaveGame.h"

#include <random>

// The game's random source, repeatable: the same seed gives the same waves.
inline game::Random seededRandom(unsigned seed) {
    return [engine = std::mt19937(seed)](int low, int high) mutable {
        return std::uniform_int_distribution<int>(low, high)(engine);
    };
}
