#include "editor/Presets.h"

#include "forms/memory/MemoryTextBox.h"
#include "tests/support/BankInvariants.h"
#include "tests/support/MemoryForm1.h"
#include "tests/support/Pointers.h"

#include <gtest/gtest.h>

namespace {

using testing_support::MemoryForm1;
using Texts = std::array<std::string, 17>;

Texts texts(std::initializer_list<const char*> leading) {
    Texts result;
    result.fill("0");
    std::size_t i = 0;
    for (const char* text : leading) {
        result[i++] = text;
    }
    return result;
}

std::array<int, 17> negated(const Texts& texts) {
    std::array<int, 17> values{};
    for (std::size_t i = 0; i < 17; ++i) {
        values[i] = -std::stoi(texts[i]);
    }
    return values;
}

struct Preset {
    const char* caption;
    int index;
    Texts boxes;
};

void PrintTo(const Preset& preset, std::ostream* out) {
    *out << preset.caption;
}

const Preset presets[] = {
    {"Mute", 0, texts({})},
    {"Square", 1, texts({"100", "0", "30", "0", "14", "0", "7", "0", "3", "0", "1"})},
    {"SawRight", 2, texts({"-77", "-37", "-24", "-17", "-9", "-6", "-1", "-1", "-1", "-1"})},
    {"SawLeft", 3, texts({"77", "37", "24", "17", "9", "6", "1", "1", "1", "1"})},
    {"Sin", 4, texts({"100"})},
    {"Triangle", 5, texts({"100", "0", "0", "0", "6", "0", "0", "0", "2"})},
};

class PresetButton : public testing::TestWithParam<Preset> {
protected:
    MemoryForm1 form;
};

TEST_P(PresetButton, LoadsItsRowWithTheSlidersFollowing) {
    form.command1[static_cast<std::size_t>(GetParam().index)].click();
    EXPECT_EQ(form.texts(), GetParam().boxes);
    EXPECT_EQ(form.values(), negated(GetParam().boxes));
}

TEST_P(PresetButton, ClearsEveryEarlierEditFirst) {
    for (std::size_t i = 0; i < 17; ++i) {
        form.harmonika[i].userReplaceAll(std::to_string(static_cast<int>(i) * 11 - 90) + ".5");
    }
    form.vscroll1[16].userMoveTo(-133);
    form.command1[static_cast<std::size_t>(GetParam().index)].click();
    EXPECT_EQ(form.texts(), GetParam().boxes);
    EXPECT_EQ(form.values(), negated(GetParam().boxes));
}

TEST_P(PresetButton, PressedTwiceEndsAsPressedOnce) {
    auto& button = form.command1[static_cast<std::size_t>(GetParam().index)];
    button.click();
    button.click();
    EXPECT_EQ(form.texts(), GetParam().boxes);
    EXPECT_EQ(testing_support::bankInvariantFault(form.texts(), form.values()), "");
}

INSTANTIATE_TEST_SUITE_P(AllSix, PresetButton, testing::ValuesIn(presets),
                         [](const testing::TestParamInfo<Preset>& info) {
                             return std::string(info.param.caption);
                         });

TEST(PresetsOutsideTheTable, ClearTheBoxesAndLoadNothing) {
    std::array<forms::MemoryTextBox, 17> boxes;
    for (auto& box : boxes) {
        box.setText("12");
    }
    editor::Presets presets(testing_support::pointersTo<forms::TextBox*>(boxes));
    for (const int index : {6, -1, 1000}) {
        presets.buttonClicked(index);
        for (const auto& box : boxes) {
            EXPECT_EQ(box.text(), "0") << index;
        }
    }
}

// The assignments go in table order, one box at a time: each box sees its own change handler
// run before the next box is written.
TEST(PresetsOrder, ClearsInIndexOrderThenAssignsInRowOrder) {
    std::array<forms::MemoryTextBox, 17> boxes;
    std::vector<std::string> writes;
    for (std::size_t i = 0; i < 17; ++i) {
        boxes[i].setText("5");
        boxes[i].onChange(
            [&writes, &boxes, i] { writes.push_back(std::to_string(i) + "=" + boxes[i].text()); });
    }
    editor::Presets(testing_support::pointersTo<forms::TextBox*>(boxes)).buttonClicked(5);
    const std::vector<std::string> expected{"0=0",  "1=0",  "2=0",  "3=0",   "4=0",  "5=0",  "6=0",
                                            "7=0",  "8=0",  "9=0",  "10=0",  "11=0", "12=0", "13=0",
                                            "14=0", "15=0", "16=0", "0=100", "4=6",  "8=2"};
    EXPECT_EQ(writes, expected);
}

} // namespace
