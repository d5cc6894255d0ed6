// The tone's undo steps, with boxes that settle at once and a window that ends each action when
// the test says.
#include "model/Tone.h"

#include <gtest/gtest.h>

namespace {

class ToneSteps : public testing::Test {
protected:
    ToneSteps() {
        tone.setBoxes({[this](const editor::Texts& texts) { tone.boxesSettled(texts); },
                       [this](std::span<const std::string> texts) {
                           editor::Texts all = tone.texts();
                           std::copy(texts.begin(), texts.end(), all.begin());
                           tone.boxesSettled(all);
                       }});
        tone.setStepScheduler([this] { ++scheduled; });
    }
    void type(std::size_t k, const std::string& text) {
        editor::Texts texts = tone.texts();
        texts[k] = text;
        tone.boxesSettled(texts);
    }
    // Undone as far as it goes: the first box's text at each step, newest first.
    std::vector<std::string> firstBoxBackwards() {
        std::vector<std::string> seen{tone.texts()[0]};
        while (tone.canUndo()) {
            tone.undo();
            seen.push_back(tone.texts()[0]);
        }
        return seen;
    }

    model::Tone tone;
    int scheduled = 0;
};

// GIVEN edits in actions of the user WHEN undone THEN each action is one step, keystrokes in one
// box merge until its focus goes, and a step brings its phases back too.
TEST_F(ToneSteps, EachActionIsOneStep) {
    tone.startAction(1);
    type(0, "1");
    type(0, "12");
    EXPECT_EQ(scheduled, 1) << "one step opened, to be closed when the action is over";
    tone.endStep();
    tone.startAction(1);
    type(0, "123");
    tone.endStep();
    tone.stopMerging();
    tone.startAction(1);
    type(0, "40");
    tone.setPhase(0, 30.0);
    tone.startAction(0);
    EXPECT_EQ(tone.phases()[0], 30.0);
    EXPECT_EQ(firstBoxBackwards(), (std::vector<std::string>{"40", "123", "0"}));
    EXPECT_EQ(tone.phases()[0], 0.0);
    tone.redo();
    tone.redo();
    EXPECT_EQ(tone.step().texts[0], "40");
    EXPECT_EQ(tone.phases()[0], 30.0);
    EXPECT_FALSE(tone.canRedo());
}

// GIVEN steps held (as while listening) WHEN the tone is loaded again and again THEN release
// makes them one step; and a load mid-action stands apart from what the action did before it.
TEST_F(ToneSteps, LoadsAreStepsOfTheirOwnAndHeldOnesOne) {
    tone.holdSteps(true);
    for (const char* heard : {"10", "20", "30"}) {
        tone.load(std::vector<std::string>{heard}, {});
    }
    tone.holdSteps(false);
    tone.startAction(0);
    type(0, "7");
    tone.load(model::Timbre{{50}, {45.0}});
    EXPECT_EQ(tone.phases()[0], 45.0);
    EXPECT_EQ(firstBoxBackwards(), (std::vector<std::string>{"50", "7", "30", "0"}));
}

} // namespace
