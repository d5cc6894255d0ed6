// The renderer's picture as the window shows it, held to the trace summed as first described.
#include "scope/Renderer.h"

#include "forms/RuntimeError.h"
#include "forms/memory/MemoryDisplay.h"
#include "forms/memory/MemoryTextBox.h"
#include "forms/qt/PictureBox.h"
#include "tests/support/LiteralSynthesis.h"
#include "tests/support/Pointers.h"
#include "tests/support/TraceCheck.h"

#include <gtest/gtest.h>

namespace {

// Boxes that hold whatever they are given: no bank keeps them in range here.
class RendererTest : public testing::Test {
protected:
    void setBoxes(const std::array<const char*, 17>& texts) {
        for (std::size_t k = 0; k < 17; ++k) {
            boxes[k].setText(texts[k] != nullptr ? texts[k] : "0");
        }
    }
    std::array<std::string, 17> texts() const {
        std::array<std::string, 17> result;
        for (std::size_t k = 0; k < 17; ++k) {
            result[k] = boxes[k].text();
        }
        return result;
    }

    std::array<forms::MemoryTextBox, 17> boxes;
    forms::MemoryDisplay memory{512, 256, forms::black};
    forms::PictureBox picture{QSize(512, 256), forms::black};
    scope::Renderer onMemory{testing_support::pointersTo<const forms::TextBox*>(boxes), memory};
    scope::Renderer onPicture{testing_support::pointersTo<const forms::TextBox*>(boxes), picture};
};

TEST_F(RendererTest, InksTheTraceWithinAPixelOverTheZeroLineAndNothingElse) {
    const std::pair<const char*, std::array<const char*, 17>> waveforms[] = {
        {"silence", {}},
        {"sine", {"100"}},
        {"inverted sine", {"-100"}},
        {"sine clipped at both edges", {"200"}},
        {"square", {"100", "0", "30", "0", "14", "0", "7", "0", "3", "0", "1"}},
        {"saw at the limits", {"-200", "-200", "-200", "-200", "-200"}},
        {"highest harmonic",
         {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "150"}},
        {"fractions", {"12.5", "-0.25", "7.75"}},
    };
    for (const auto& [name, amplitudes] : waveforms) {
        setBoxes(amplitudes);
        onPicture.tick();
        const auto trace = testing_support::literalTrace(texts());
        const QImage& image = picture.image();
        EXPECT_EQ(testing_support::checkTracePicture(
                      [&image](int x, int y) {
                          const QRgb rgb = image.pixel(x, y);
                          return forms::Color{std::uint8_t(qRed(rgb)), std::uint8_t(qGreen(rgb)),
                                              std::uint8_t(qBlue(rgb))};
                      },
                      trace),
                  "")
            << name;
    }
}

TEST_F(RendererTest, RaisesAnErrorForATextThatIsNotANumberOrPointsBeyondSinglePrecision) {
    for (const auto& [text, number] :
         {std::pair{"abc", 13}, {"", 13}, {"12abc", 13}, {"1E+300", 6}, {"1.7E+308", 6}}) {
        setBoxes({"1", "1", "1", "1", "1", "1", "1", text});
        try {
            onMemory.tick();
            ADD_FAILURE() << text;
        } catch (const forms::RuntimeError& error) {
            EXPECT_EQ(error.number(), number) << text;
        }
        if (number == 13) {
            EXPECT_EQ(memory.clears(), 0) << "the display is left as it was";
        }
    }
}

} // namespace
