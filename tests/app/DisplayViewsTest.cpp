// Drawing a wave on the display, and the views of the harmonics and of the target.
#include "tests/support/Form1Fixture.h"
#include "tests/support/LiteralSynthesis.h"

#include <QClipboard>
#include <numbers>

namespace {

using DisplayViews = testing_support::Form1Fixture;
using testing::DoubleNear;
using testing::Pointwise;
constexpr double pi = std::numbers::pi;

TEST_F(DisplayViews, DrawingAWaveGivesTheHarmonicsNearestToIt) {
    std::vector<std::pair<Texts, std::function<double(int)>>> drawings{
        {leading({"100"}), [](int x) { return 128.0 - 100.0 / 1.5 * std::sin(2 * pi * x / 256); }},
        {leading({}), [](int) { return 70.0; }}};
    for (int preset = 0; preset < 6; ++preset) { // each preset's own trace
        QTest::mouseClick(&button(preset), Qt::LeftButton);
        const auto trace = testing_support::literalTrace(texts());
        drawings.emplace_back(texts(), [trace](int x) { return x == 0 ? 128.0 : trace[x - 1]; });
    }
    for (const auto& [expected, y] : drawings) {
        button(0).click();
        drawOnDisplay(256, 511, [&y](int x) { return y(x - 256); }); // the second period counts
        std::array<double, 17> wanted{};
        std::ranges::transform(expected, wanted.begin(),
                               [](const auto& t) { return std::stod(t); });
        EXPECT_THAT(numbers(), Pointwise(DoubleNear(1.0), wanted)) << expected[0];
    }
    // A stroke over part of the period is joined round the period's end, as if drawn so whole.
    const auto wrapped = [](int x) {
        return x >= 120 && x <= 200 ? 70.0 + 1.5 * (x - 120)
                                    : 190.0 - 120.0 / 176.0 * ((x + 56) % 256);
    };
    drawOnDisplay(0, 255, wrapped);
    const auto whole = numbers();
    drawOnDisplay(120, 200, wrapped);
    EXPECT_THAT(numbers(), Pointwise(DoubleNear(1.0), whole));
}

TEST_F(DisplayViews, AClickEscapeOrAStrokeOffTheEdgesDoNoHarm) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    const Texts square = texts();
    QTest::mouseClick(&oscil(), Qt::LeftButton, {}, QPoint(100, 40));
    EXPECT_EQ(texts(), square) << "a click";
    QTest::mousePress(&oscil(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(&oscil(), QPoint(300, 200));
    QTest::keyClick(&oscil(), Qt::Key_Escape);
    QTest::mouseRelease(&oscil(), Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_EQ(texts(), square) << "Escape";
    drawOnDisplay(-50, 600, [](int x) { return x < 256 ? -400.0 : 900.0; });
    EXPECT_EQ(box(0).text(), "0") << "clamped to the edges; the later half wins: a constant";
}

TEST_F(DisplayViews, TheDrawingStaysBesideItsSumUntilTheAmplitudesChangeAgain) {
    const QRgb drawn = qRgb(0, 220, 255);
    drawOnDisplay(0, 255, [](int x) { return 128.0 - 60.0 * std::sin(2 * pi * x / 256); });
    QTest::qWait(250);
    EXPECT_GT(count(drawn), 400) << "after its own change, over the following ticks";
    typeOver(4, "7");
    EXPECT_TRUE(testing_support::eventually([&] { return count(drawn) == 0; }));
}

// Against a square wave of fundamental 100 (height 100 pi / 4, series 100/k for odd k) the RMS
// error follows by Parseval's theorem and the overshoot from the sum's largest value: 22.9 % and
// +1.1 % for SQUARE's table, 15.0 % and +8.9 % for the series rounded to whole numbers.
TEST_F(DisplayViews, HarmonicsAndTargetShowWithTheirKeysAndTheFitFollowsTheClosedForms) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    oscil().setFocus();
    QTest::keyClick(&oscil(), Qt::Key_H);
    QTest::keyClick(&oscil(), Qt::Key_T);
    ASSERT_TRUE(testing_support::eventually([&] { return count(qRgb(120, 120, 120)) > 200; }));
    EXPECT_GT(count(qRgb(170, 70, 70)), 200) << "the fundamental, in the first colour";
    EXPECT_GT(count(qRgb(150, 150, 60)), 50) << "the third harmonic";
    EXPECT_EQ(count(qRgb(170, 120, 50)), 0) << "no second harmonic sounds";
    const auto fit = [this] {
        const QStringList words = oscil().captionText().split(' ', Qt::SkipEmptyParts);
        return words.size() == 7 ? std::array{words[2].toDouble(), words[5].toDouble()}
                                 : std::array{-1.0, -1.0};
    };
    EXPECT_THAT(fit(), Pointwise(DoubleNear(0.2), std::array{22.9, 1.1}));
    QApplication::clipboard()->setText("100 0 33 0 20 0 14 0 11 0 9 0 8 0 7 0 6");
    menuItem("Paste amplitudes").trigger();
    EXPECT_TRUE(testing_support::eventually([&] { return std::abs(fit()[0] - 15.0) < 0.2; }));
    EXPECT_THAT(fit(), Pointwise(DoubleNear(0.2), std::array{15.0, 8.9}));
    QTest::keyClick(&oscil(), Qt::Key_T);
    EXPECT_TRUE(testing_support::eventually([&] { return oscil().captionText().isEmpty(); }));
}

} // namespace
