// A box text that is not a number, or points beyond single precision, end the program with
// the run-time error; the bank never lets it come to that, but nothing else must happen first.
#include "scope/Renderer.h"

#include "forms/RuntimeError.h"
#include "forms/memory/MemoryDisplay.h"
#include "forms/memory/MemoryTextBox.h"
#include "tests/support/Pointers.h"

#include <gtest/gtest.h>

namespace {

TEST(Renderer, RaisesTheErrorForATextThatIsNotANumberOrAPointBeyondSinglePrecision) {
    for (const auto& [text, number] :
         {std::pair{"abc", 13}, {"", 13}, {"12abc", 13}, {"1E+300", 6}, {"1.7E+308", 6}}) {
        std::array<forms::MemoryTextBox, 17> boxes;
        for (auto& box : boxes) {
            box.setText("1");
        }
        boxes[7].setText(text);
        forms::MemoryDisplay display{512, 256, forms::black};
        scope::Renderer renderer{testing_support::pointersTo<const forms::TextBox*>(boxes),
                                 display};
        try {
            renderer.tick();
            ADD_FAILURE() << text;
        } catch (const forms::RuntimeError& error) {
            EXPECT_EQ(error.number(), number) << text;
            EXPECT_EQ(display.clears(), number == 13 ? 0 : 1) << "the display is left as it was";
        }
    }
}

} // namespace
