#pragma once

#include "editor/History.h"
#include "editor/Phases.h"
#include "model/Envelope.h"
#include "model/Timbre.h"
#include "scope/Scene.h"
#include "scope/Views.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace model {

// What every window shows and edits, in one place: the 17 amplitudes as the designed window's
// boxes hold them, their phases, and what the display shows besides the sum (the views, the
// target, a drawing, the game's hidden wave). Each edit, from whichever window, comes through
// here, and everything that shows or sounds the tone hears of it.
class Tone {
public:
    enum class Change { Amplitudes, Phases, Views, Steps, Envelope };
    using Listener = std::function<void(Change)>;
    // The designed window's boxes show the texts the tone has settled: these write them, and
    // the boxes answer with boxesSettled.
    struct Boxes {
        std::function<void(const editor::Texts&)> restore;      // exactly, fractions included
        std::function<void(std::span<const std::string>)> load; // as a preset writes them
    };

    void listen(Listener listener) { listeners_.push_back(std::move(listener)); }
    void setBoxes(Boxes boxes) { boxes_ = std::move(boxes); }
    // Asked, when an edit opens a step, to have endStep called once the user's action is over.
    void setStepScheduler(std::function<void()> schedule) { schedule_ = std::move(schedule); }

    [[nodiscard]] const editor::Texts& texts() const { return texts_; }
    // The boxes' numbers, read once as each text settles (here, for an edit made anywhere but
    // in a box); a text that is not one counts as silence.
    [[nodiscard]] const Amplitudes& amplitudes() const { return amplitudes_; }
    // As set, whether or not they are heard.
    [[nodiscard]] const editor::Phases& phases() const { return phases_; }
    [[nodiscard]] bool sinePhasesOnly() const { return sinePhasesOnly_; }
    // The timbre as drawn and heard: every phase 0 while only sine phases are wanted, and while
    // the wave game, which is played in sine phase, has a round on.
    [[nodiscard]] Timbre heard() const { return {amplitudes_, heard_}; }
    // What every display shows now; it points into the views.
    [[nodiscard]] scope::Scene scene() const { return scenes_.make(heard(), views_); }
    // The same, while every box holds a number: the display's tick takes nothing else.
    [[nodiscard]] std::optional<scope::Scene> sceneIfNumbers() const {
        return allNumbers_ ? std::optional(scene()) : std::nullopt;
    }
    // How played notes of this timbre live.
    [[nodiscard]] const Envelope& envelope() const { return envelope_; }
    // What one undo step holds.
    [[nodiscard]] editor::Step step() const { return {texts_, phases_, envelope_}; }

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
    // Held in its ranges.
    void setEnvelope(const Envelope& envelope);
    // After views() has been changed.
    void viewsChanged();

    // Undo steps. A step is one user action: it holds every edit made until the action is over
    // (endStep) or the next one starts. Actions with the same merge key, not 0, make one step,
    // as keystrokes in one box do.
    void startAction(int mergeKey);
    void endStep();
    // The next step stands on its own, whatever its key.
    void stopMerging();
    // Harmonics that come from elsewhere, as one step of their own, with an envelope if they
    // bring one.
    void load(std::span<const std::string> texts, const editor::Phases& phases = {},
              const std::optional<Envelope>& envelope = std::nullopt);
    // Amplitudes rounded to whole numbers, written as the boxes write them, each with its phase
    // folded into (-90, 90].
    void load(const Timbre& timbre);
    // Texts exactly as they were saved, fractions included, with their phases, as one step.
    void loadExactly(const editor::Step& step);
    // While held, edits make no steps; released, all of them make one.
    void holdSteps(bool hold);
    void undo() { moveThroughHistory(true); }
    void redo() { moveThroughHistory(false); }
    [[nodiscard]] bool canUndo() const { return history_.canUndo(); }
    [[nodiscard]] bool canRedo() const { return history_.canRedo(); }

private:
    void tell(Change change);
    // Takes texts as the boxes will settle on them, before the boxes are told.
    void settle(const editor::Texts& texts);
    [[nodiscard]] editor::Texts settled(std::span<const std::string> written) const;
    void hear();
    void stepOpened();
    void moveThroughHistory(bool back);

    editor::Texts texts_{"0", "0", "0", "0", "0", "0", "0", "0", "0",
                         "0", "0", "0", "0", "0", "0", "0", "0"};
    Amplitudes amplitudes_{};
    bool allNumbers_ = true;
    editor::Phases phases_{};
    editor::Phases heard_{};
    Envelope envelope_;
    bool sinePhasesOnly_ = false;
    scope::Views views_;
    scope::SceneMaker scenes_;
    Boxes boxes_;
    std::vector<Listener> listeners_;

    editor::History history_{step()};
    std::function<void()> schedule_;
    bool pending_ = false;
    bool restoring_ = false;
    bool holding_ = false;
    int actionKey_ = 0;  // the merge key of the action under way
    int pendingKey_ = 0; // of the action that opened the pending step
};

} // namespace model
