#pragma once

#include <algorithm>

namespace forms {

// Counts how deeply change notifications nest inside one another, for controls that share it.
struct NestingMeter {
    int depth = 0;
    int deepest = 0;

    // Held while one notification's handler runs.
    class Level {
    public:
        explicit Level(NestingMeter* meter) : meter_(meter) {
            if (meter_ != nullptr) {
                meter_->deepest = std::max(meter_->deepest, ++meter_->depth);
            }
        }
        Level(const Level&) = delete;
        Level& operator=(const Level&) = delete;
        ~Level() {
            if (meter_ != nullptr) {
                --meter_->depth;
            }
        }

    private:
        NestingMeter* meter_;
    };
};

} // namespace forms
