// Drawing a wave on the display, and the views of the harmonics and of the target.
#include "tests/support/Form1Fixture.h"

#include <QClipboard>
#include <numbers>

namespace {

using DisplayViews = testing_support::Form1Fixture;
using testing::DoubleNear;
using testing::Pointwise;
constexpr double pi = std::numbers::pi;

TEST_F(DisplayViews, DrawingAWaveGivesTheHarmonicsNearestToItAndStaysUntilTheNextChange) {
    std::vector<std::pair<std::array<double, 17>, std::function<double(int)>>> drawings{
        {{100}, [](int x) { return 128.0 - 100.0 / 1.5 * std::sin(2 * pi * x / 256); }},
        {{}, [](int) { return 70.0; }}};
    for (int preset = 0; preset < 6; ++preset) { // each preset's own trace
        QTest::mouseClick(&button(preset), Qt::LeftButton);
        drawings.emplace_back(numbers(),
                              [trace = trace()](int x) { return x == 0 ? 128.0 : trace[x - 1]; });
    }
    for (const auto& [expected, y] : drawings) {
        button(0).click();
        drawOnDisplay(256, 511, [&y](int x) { return y(x - 256); }); // the second period counts
        EXPECT_THAT(numbers(), Pointwise(DoubleNear(1.0), expected)) << expected[0];
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
    // The drawing stays beside its own sum until the amplitudes change again.
    QTest::qWait(250);
    EXPECT_GT(count(qRgb(0, 220, 255)), 400);
    typeOver(4, "7");
    EXPECT_TRUE(testing_support::eventually([&] { return count(qRgb(0, 220, 255)) == 0; }));
}

TEST_F(DisplayViews, AClickEscapeOrAStrokeOffTheEdgesDoNoHarm) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    const QString square = texts();
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

// Against a series c(k) of peak p: the RMS error by Parseval's theorem, the overshoot from the
// sum's largest value (the sums here are odd and symmetric about a quarter period).
std::array<double, 2> fitTo(const std::array<double, 17>& a, double (*c)(int), double p) {
    double error = 0.0;
    double power = 0.0;
    for (int k = 1; k < 200000; ++k) {
        const double difference = (k <= 17 ? a[k - 1] : 0.0) - c(k);
        error += difference * difference / 2.0;
        power += c(k) * c(k) / 2.0;
    }
    double peak = 0.0;
    for (int j = 0; j <= 20000; ++j) {
        double sum = 0.0;
        for (int k = 1; k <= 17; ++k) {
            sum += a[k - 1] * std::sin(k * pi * j / 20000);
        }
        peak = std::max(peak, sum);
    }
    return {100.0 * std::sqrt(error / power), 100.0 * (peak - p) / (2 * p)};
}
double squareSeries(int k) {
    return k % 2 == 1 ? 100.0 / k : 0.0;
}
double triangleSeries(int k) {
    return k % 2 == 1 ? (k % 4 == 1 ? 100.0 : -100.0) / k / k : 0.0;
}

TEST_F(DisplayViews, HarmonicsAndTargetShowWithTheirKeysAndTheFitFollowsTheClosedForms) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    oscil().setFocus();
    QTest::keyClicks(&oscil(), "ht");
    ASSERT_TRUE(testing_support::eventually([&] { return count(qRgb(120, 120, 120)) > 200; }));
    EXPECT_GT(count(qRgb(170, 70, 70)), 200) << "the fundamental, in the first colour";
    EXPECT_GT(count(qRgb(150, 150, 60)), 50) << "the third harmonic";
    EXPECT_EQ(count(qRgb(170, 120, 50)), 0) << "no second harmonic sounds";
    const auto fit = [this] {
        const QStringList words = oscil().captionText().split(' ', Qt::SkipEmptyParts);
        return words.size() == 7 ? std::array{words[2].toDouble(), words[5].toDouble()}
                                 : std::array{-1.0, -1.0};
    };
    const double squarePeak = 100 * pi / 4;
    EXPECT_THAT(fit(), Pointwise(DoubleNear(0.2), fitTo(numbers(), squareSeries, squarePeak)));
    QApplication::clipboard()->setText("100 0 33 0 20 0 14 0 11 0 9 0 8 0 7 0 6");
    menuItem("Paste amplitudes").trigger(); // the series rounded: the Gibbs overshoot
    QTest::qWait(150);
    EXPECT_THAT(fit(), Pointwise(DoubleNear(0.2), fitTo(numbers(), squareSeries, squarePeak)));
    QTest::mouseClick(&button(5), Qt::LeftButton); // TRIANGLE stays inside its target
    QTest::qWait(150);
    EXPECT_THAT(fit(),
                Pointwise(DoubleNear(0.2), fitTo(numbers(), triangleSeries, 25 * pi * pi / 2)));
    oscil().setFocus();
    QTest::keyClick(&oscil(), Qt::Key_T);
    EXPECT_TRUE(testing_support::eventually([&] { return oscil().captionText().isEmpty(); }));
}

// Each preset's target is its ideal shape with the preset's fundamental, in grey behind the sum;
// the sum is set to nothing, so that all of the target shows.
TEST_F(DisplayViews, EachPresetsTargetIsItsIdealShapeWithTheFundamentalOfThePreset) {
    double (*saw)(double) = [](double t) { return (pi - t) / 2; }; // first harmonics of 1
    const std::pair<int, double (*)(double)> shapes[] = {
        {1, [](double t) { return t < pi ? pi / 4 : -pi / 4; }},
        {2, saw},
        {3, saw},
        {4, [](double t) { return std::sin(t); }},
        {5, [](double t) {
             return pi / 4 * (t < pi / 2 ? t : t < 3 * pi / 2 ? pi - t : t - 2 * pi);
         }}};
    oscil().setFocus();
    QTest::keyClick(&oscil(), Qt::Key_T);
    for (const auto& [preset, shape] : shapes) {
        QTest::mouseClick(&button(preset), Qt::LeftButton);
        const double a1 = numbers()[0];
        const auto y = [&](int x) {
            return 128.0 - a1 * shape(std::fmod(pi * (x + 256) / 128, 2 * pi)) / 1.5;
        };
        QApplication::clipboard()->setText("0");
        menuItem("Paste amplitudes").trigger();
        QTest::qWait(150);
        int columns = 0; // with grey, all of it within a pixel and a half of the shape
        for (int x = 0; x < 512; ++x) {
            const auto [top, bottom] = std::minmax({y(x - 1), y(x), y(x + 1)});
            for (int row = 0, inked = 0; row < 256; ++row) {
                if (oscil().image().pixel(x, row) == qRgb(120, 120, 120)) {
                    ASSERT_TRUE(row >= top - 1.5 && row <= bottom + 1.5) << preset << ": " << x;
                    columns += inked++ == 0 ? 1 : 0;
                }
            }
        }
        EXPECT_GT(columns, 490) << preset;
    }
}

} // namespace
