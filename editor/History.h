#pragma once

#include "Phases.h"
#include "Slots.h"
#include "model/Envelope.h"

#include <optional>
#include <string>
#include <vector>

namespace editor {

using Texts = std::array<std::string, slotCount>;

// What one undo step brings back: the box texts exactly, the phases and the envelope.
struct Step {
    Texts texts;
    Phases phases{};
    model::Envelope envelope{};
    friend bool operator==(const Step&, const Step&) = default;
};

// The harmonics' undo history: the state after each step, and where the user stands.
class History {
public:
    static constexpr std::size_t steps = 200;

    explicit History(Step start);

    // The boxes now hold these texts. Nothing is recorded when they hold what they held. A step
    // with the same merge key as the one before (not 0) joins it, as keystrokes in one box do.
    void record(const Step& now, int mergeKey);
    // The next step stands on its own, whatever its key.
    void stopMerging() { lastKey_ = 0; }

    [[nodiscard]] bool canUndo() const { return at_ > 0; }
    [[nodiscard]] bool canRedo() const { return at_ + 1 < states_.size(); }
    // Each returns the texts the boxes should hold now.
    const Step& undo();
    const Step& redo();
    [[nodiscard]] const Step& current() const { return states_[at_]; }

private:
    std::vector<Step> states_;
    std::size_t at_ = 0;
    int lastKey_ = 0;
};

// The 17 texts on one line, separated by single spaces.
std::string amplitudesAsText(const Texts& texts);

// The numbers in a text, separated by blanks, commas, semicolons or line breaks, each in the
// program's own form: the first 17 of them, or why there are none to take.
struct ParsedAmplitudes {
    enum class Problem { None, NotANumber, NoNumbers };

    std::vector<std::string> numbers;
    std::size_t leftOut = 0; // numbers after the 17th
    Problem problem = Problem::None;
    std::string word; // the first that is not a number, cut short, when that is the problem
};
ParsedAmplitudes parseAmplitudes(std::string_view text);

// Amplitudes and, on a second line of their own, phases: what Copy amplitudes writes. Either line
// may be short, which leaves the rest at 0. Any other text is amplitudes alone, in any layout
// parseAmplitudes takes, and every phase 0. A last line "envelope A D S R B" sets the envelope;
// without one the envelope stays as it is.
struct ParsedHarmonics {
    ParsedAmplitudes amplitudes;
    Phases phases{};
    std::optional<model::Envelope> envelope{};
};
ParsedHarmonics parseHarmonics(std::string_view text);
// The amplitudes' line, the phases' line after it unless every phase is 0, and the envelope's
// unless it is the default (with the phases' line then, so that the envelope is the third).
std::string harmonicsAsText(const Step& step);

} // namespace editor
