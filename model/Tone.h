#pragma once

#include "editor/History.h"
#include "editor/Phases.h"
#include "scope/Views.h"

#include <functional>
#include <vector>

namespace model {

// What every window shows and edits, in one place: the 17 amplitudes as the designed window's
// boxes hold them, their phases, and what the display shows besides the sum (the views, the
// target, a drawing, the game's hidden wave). Each edit, from whichever window, comes through
// here, and everything that shows or sounds the tone hears of it.
class Tone {
public:
    enum class Change { Amplitudes, Phases, Views };
    using Listener = std::function<void(Change)>;
    // Puts an amplitude into the boxes, which keep the amplitudes and answer with boxesSettled.
    using AmplitudeWriter = std::function<void(std::size_t, double)>;

    void listen(Listener listener) { listeners_.push_back(std::move(listener)); }
    void setAmplitudeWriter(AmplitudeWriter writer) { writer_ = std::move(writer); }

    [[nodiscard]] const editor::Texts& texts() const { return texts_; }
    // The boxes' numbers; a text that is not one counts as silence.
    [[nodiscard]] scope::Amplitudes amplitudes() const;
    // As set, whether or not they are heard.
    [[nodiscard]] const editor::Phases& phases() const { return phases_; }
    // As drawn and heard: every one 0 while only sine phases are wanted, and while the wave
    // game, which is played in sine phase, has a round on.
    [[nodiscard]] const editor::Phases& heardPhases() const { return heard_; }
    [[nodiscard]] bool sinePhasesOnly() const { return sinePhasesOnly_; }
    // What one undo step holds.
    [[nodiscard]] editor::Step step() const { return {texts_, phases_}; }

    [[nodiscard]] scope::Views& views() { return views_; }
    [[nodiscard]] const scope::Views& views() const { return views_; }

    // The boxes have settled on these texts.
    void boxesSettled(const editor::Texts& texts);
    // An amplitude from anywhere but its box, rounded there as the box rounds.
    void setAmplitude(std::size_t index, double amplitude);
    // A phase in degrees: past +-90 it turns the amplitude's sign, as the sum itself does.
    void setPhase(std::size_t index, double degrees);
    void setPhases(const editor::Phases& phases);
    void setSinePhasesOnly(bool on);
    // After views() has been changed.
    void viewsChanged();

private:
    void tell(Change change);
    void hear();

    editor::Texts texts_{"0", "0", "0", "0", "0", "0", "0", "0", "0",
                         "0", "0", "0", "0", "0", "0", "0", "0"};
    editor::Phases phases_{};
    editor::Phases heard_{};
    bool sinePhasesOnly_ = false;
    scope::Views views_;
    AmplitudeWriter writer_;
    std::vector<Listener> listeners_;
};

} // namespace model
