#pragma once

#include "Target.h"
#include "Views.h"

#include <optional>
#include <string>

namespace scope {

// What the displays show at one moment besides the zero line, decided in one place from the
// timbre and the views, and read alike by the window's display, the large view and the screen
// reader's description.
struct Scene {
    // What stands behind the sum: nothing, the target view's aim, or the wave game's hidden wave
    // (drawn, or only heard and so not drawn at all).
    enum class Aim { None, Target, HiddenWave, HeardWave };

    Timbre timbre;          // the sum, as drawn and heard
    bool harmonics = false; // each sounding harmonic behind the sum
    Aim aim = Aim::None;
    const Target* target = nullptr; // drawn behind the sum: the target or the hidden wave
    std::optional<Fit> fit;         // how close the sum comes to it; nothing for a flat one
    const Curve* drawing = nullptr; // over the sum
    std::string status;             // the game's level and score, during a round
    std::string phasesSetAside;     // why the phases are not drawn, while they are not
};

// Decides scenes, measuring every fit with one meter: half a megabyte of sines, made when a
// target is first shown.
class SceneMaker {
public:
    // The views must outlive the scene, which points into them.
    [[nodiscard]] Scene make(const Timbre& timbre, const Views& views) const;

private:
    mutable std::optional<FitMeter> meter_;
};

} // namespace scope
