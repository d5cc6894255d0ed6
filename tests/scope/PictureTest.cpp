// The renderer's picture as the window shows it: drawn by the toolkit into the display's image.
#include "forms/memory/MemoryTextBox.h"
#include "forms/qt/PictureBox.h"
#include "scope/Renderer.h"
#include "tests/support/LiteralSynthesis.h"
#include "tests/support/Pointers.h"
#include "tests/support/TraceCheck.h"

#include <gtest/gtest.h>

namespace {

struct Amplitudes {
    const char* name;
    std::array<const char*, 17> texts;
};

void PrintTo(const Amplitudes& amplitudes, std::ostream* out) {
    *out << amplitudes.name;
}

class RendererOnPictureBox : public testing::TestWithParam<Amplitudes> {};

TEST_P(RendererOnPictureBox, InksTheTraceWithinAPixelAndNothingElse) {
    std::array<forms::MemoryTextBox, 17> boxes;
    std::array<std::string, 17> texts;
    for (std::size_t k = 0; k < 17; ++k) {
        texts[k] = GetParam().texts[k] != nullptr ? GetParam().texts[k] : "0";
        boxes[k].setText(texts[k]);
    }
    forms::PictureBox picture(QSize(512, 256), forms::black);
    scope::Renderer renderer(testing_support::pointersTo<const forms::TextBox*>(boxes), picture);

    renderer.tick();
    renderer.tick();

    const QImage& image = picture.image();
    const auto pixel = [&image](int x, int y) {
        const QRgb rgb = image.pixel(x, y);
        return forms::Color{std::uint8_t(qRed(rgb)), std::uint8_t(qGreen(rgb)),
                            std::uint8_t(qBlue(rgb))};
    };
    EXPECT_EQ(testing_support::checkTracePicture(pixel, testing_support::literalTrace(texts)), "");
}

INSTANTIATE_TEST_SUITE_P(
    Waveforms, RendererOnPictureBox,
    testing::Values(Amplitudes{"Silence", {}}, Amplitudes{"Sine", {"100"}},
                    Amplitudes{"InvertedSine", {"-100"}}, Amplitudes{"ClippedSine", {"200"}},
                    Amplitudes{"Square",
                               {"100", "0", "30", "0", "14", "0", "7", "0", "3", "0", "1"}},
                    Amplitudes{"SawAtLimits", {"-200", "-200", "-200", "-200", "-200"}},
                    Amplitudes{"HighestHarmonic",
                               {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0",
                                "0", "0", "0", "150"}},
                    Amplitudes{"Fractions", {"12.5", "-0.25", "7.75"}}),
    [](const testing::TestParamInfo<Amplitudes>& info) { return std::string(info.param.name); });

} // namespace
