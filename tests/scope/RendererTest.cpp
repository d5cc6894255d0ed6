#include "scope/Renderer.h"

#include "forms/RuntimeError.h"
#include "forms/memory/MemoryDisplay.h"
#include "forms/memory/MemoryTextBox.h"
#include "tests/support/LiteralSynthesis.h"
#include "tests/support/Pointers.h"
#include "tests/support/TraceCheck.h"

#include <gtest/gtest.h>

namespace {

// The renderer alone, on boxes that hold whatever they are given: no bank keeps them in range.
class RendererOnMemoryDisplay : public testing::Test {
protected:
    RendererOnMemoryDisplay() {
        for (auto& box : boxes) {
            box.setText("0");
        }
    }

    void setBoxes(std::initializer_list<std::pair<std::size_t, std::string>> texts) {
        for (const auto& [index, text] : texts) {
            boxes[index].setText(text);
        }
    }
    void tick() { renderer.tick(); }
    [[nodiscard]] std::array<std::string, 17> texts() const {
        std::array<std::string, 17> result;
        for (std::size_t k = 0; k < 17; ++k) {
            result[k] = boxes[k].text();
        }
        return result;
    }
    [[nodiscard]] std::vector<double> greenYs() const {
        std::vector<double> ys;
        for (const auto& stroke : display.strokes()) {
            if (stroke.color == forms::green) {
                ys.push_back(stroke.segment.to.y);
            }
        }
        return ys;
    }
    [[nodiscard]] std::string pictureFault() const {
        return testing_support::checkTracePicture(
            [this](int x, int y) { return display.pixel(x, y); },
            testing_support::literalTrace(texts()));
    }

    std::array<forms::MemoryTextBox, 17> boxes;
    forms::MemoryDisplay display{512, 256, forms::black};
    scope::Renderer renderer{testing_support::pointersTo<const forms::TextBox*>(boxes), display};
};

TEST_F(RendererOnMemoryDisplay, AtStartDrawsAFlatGreenLineOverTheZeroLine) {
    tick();
    const auto& strokes = display.strokes();
    ASSERT_EQ(strokes.size(), 513U);
    EXPECT_EQ(strokes[0].color, forms::yellow);
    EXPECT_EQ(strokes[0].segment.from.x, 0.0F);
    EXPECT_EQ(strokes[0].segment.to.x, 512.0F);
    for (std::size_t i = 1; i < strokes.size(); ++i) {
        EXPECT_EQ(strokes[i].segment.to.x, static_cast<float>(i));
        EXPECT_EQ(strokes[i].segment.to.y, 128.0F);
        EXPECT_EQ(strokes[i].segment.from.x, strokes[i - 1].segment.to.x * (i > 1 ? 1.0F : 0.0F));
    }
    for (int x = 0; x < 512; ++x) {
        EXPECT_EQ(display.pixel(x, 128), forms::green) << x;
    }
    EXPECT_EQ(pictureFault(), "");
}

TEST_F(RendererOnMemoryDisplay, RedrawsFromScratchOnEveryTick) {
    setBoxes({{0, "100"}});
    tick();
    setBoxes({{0, "0"}});
    tick();
    EXPECT_EQ(display.clears(), 2);
    EXPECT_EQ(display.strokes().size(), 513U);
    EXPECT_EQ(pictureFault(), "");
}

TEST_F(RendererOnMemoryDisplay, FundamentalPeaksUpwardAtAQuarterPeriod) {
    setBoxes({{0, "100"}});
    tick();
    const auto ys = greenYs();
    EXPECT_NEAR(ys[63], 128.0 - 100.0 / 1.5, 1e-3);  // x = 64
    EXPECT_NEAR(ys[191], 128.0 + 100.0 / 1.5, 1e-3); // x = 192
    EXPECT_NEAR(ys[127], 128.0, 1e-3);
    EXPECT_NEAR(ys[255], 128.0, 1e-3);
    EXPECT_EQ(*std::min_element(ys.begin(), ys.end()), ys[63]);
    EXPECT_EQ(pictureFault(), "");
}

TEST_F(RendererOnMemoryDisplay, NegativeAmplitudeMirrorsAboutTheZeroLine) {
    setBoxes({{2, "60"}, {5, "-25.5"}});
    tick();
    const auto positive = greenYs();
    setBoxes({{2, "-60"}, {5, "25.5"}});
    tick();
    const auto negative = greenYs();
    for (std::size_t i = 0; i < positive.size(); ++i) {
        EXPECT_NEAR(positive[i] - 128.0, 128.0 - negative[i], 1e-4);
    }
    EXPECT_EQ(pictureFault(), "");
}

TEST_F(RendererOnMemoryDisplay, ClipsWhatLeavesTheSurfaceInsteadOfScaling) {
    setBoxes({{0, "200"}});
    tick();
    const auto ys = greenYs();
    EXPECT_NEAR(ys[63], 128.0 - 200.0 / 1.5, 1e-3);
    EXPECT_NEAR(ys[191], 128.0 + 200.0 / 1.5, 1e-3);
    for (int y = 0; y < 256; ++y) {
        EXPECT_NE(display.pixel(63, y), forms::green) << "the crest is above the surface";
    }
    EXPECT_EQ(display.pixel(63, 128), forms::yellow);
    EXPECT_EQ(pictureFault(), "");
}

TEST_F(RendererOnMemoryDisplay, HighestHarmonicRunsThirtyFourPeriods) {
    setBoxes({{16, "90"}});
    tick();
    auto ys = greenYs();
    ys.insert(ys.begin(), 128.0); // the trace starts from the zero line at x = 0
    int upwardCrossings = 0;
    for (std::size_t i = 1; i < ys.size(); ++i) {
        upwardCrossings += (ys[i - 1] >= 128.0 && ys[i] < 128.0) ? 1 : 0;
    }
    EXPECT_EQ(upwardCrossings, 34);
    EXPECT_EQ(pictureFault(), "");
}

TEST_F(RendererOnMemoryDisplay, RaisesTypeMismatchForATextThatIsNotANumber) {
    for (const char* text : {"abc", "", "12abc", "-"}) {
        setBoxes({{7, text}});
        try {
            tick();
            ADD_FAILURE() << text;
        } catch (const forms::RuntimeError& error) {
            EXPECT_EQ(error.number(), 13);
        }
    }
    EXPECT_EQ(display.clears(), 0) << "the display is left as it was";
}

TEST_F(RendererOnMemoryDisplay, RaisesOverflowForPointsBeyondSinglePrecision) {
    setBoxes({{0, "1E+300"}});
    EXPECT_THROW(tick(), forms::RuntimeError);
    for (auto& box : boxes) {
        box.setText("1.7E+308");
    }
    EXPECT_THROW(tick(), forms::RuntimeError);
}

} // namespace
