// Drawing a wave on the display, and the views of the harmonics and of the target.
#include "tests/support/Form1Fixture.h"
#include "tests/support/LiteralSynthesis.h"

#include <QAction>
#include <numbers>

namespace {

using Texts = std::array<std::string, 17>;
constexpr double pi = std::numbers::pi;

class DisplayViews : public testing_support::Form1Fixture {
protected:
    // A stroke with the left button through (x, y(x)) for x = first .. last, in display pixels.
    void draw(int first, int last, const std::function<double(int)>& y) {
        QTest::mousePress(&oscil(), Qt::LeftButton, {}, QPoint(first, int(std::lround(y(first)))));
        for (int x = first; x <= last; ++x) {
            QMouseEvent move(QEvent::MouseMove, QPointF(x, y(x)),
                             oscil().mapToGlobal(QPointF(x, y(x))), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(&oscil(), &move);
        }
        QTest::mouseRelease(&oscil(), Qt::LeftButton, {}, QPoint(last, int(std::lround(y(last)))));
    }
    void expectAmplitudesNear(const Texts& expected, const char* what) {
        for (int i = 0; i < 17; ++i) {
            EXPECT_NEAR(box(i).text().toDouble(), std::stod(expected[i]), 1.0) << what << " " << i;
        }
    }
    int count(forms::Color colour) {
        int found = 0;
        for (int x = 0; x < 512; ++x) {
            for (int y = 0; y < 256; ++y) {
                found += pixel(x, y) == colour ? 1 : 0;
            }
        }
        return found;
    }
    std::vector<double> captionFigures() {
        std::vector<double> figures;
        for (const QString& word : oscil().captionText().split(' ')) {
            bool number = false;
            const double value = word.toDouble(&number);
            if (number) {
                figures.push_back(value);
            }
        }
        return figures;
    }
};

TEST_F(DisplayViews, DrawingAPresetsTraceBackGivesItsAmplitudes) {
    for (int preset = 0; preset < 6; ++preset) {
        QTest::mouseClick(&button(preset), Qt::LeftButton);
        const Texts expected = texts();
        const auto trace = testing_support::literalTrace(expected);
        button(0).click();
        draw(0, 255, [&](int x) { return x == 0 ? 128.0 : trace[std::size_t(x - 1)]; });
        expectAmplitudesNear(expected, "preset");
    }
    const std::pair<Texts, std::function<double(int)>> shapes[] = {
        {{"100", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"},
         [](int x) { return 128.0 - 100.0 / 1.5 * std::sin(2 * pi * x / 256); }},
        {{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"},
         [](int) { return 70.0; }},
    };
    for (const auto& [expected, y] : shapes) {
        draw(256, 511, y); // the second period stands for the first
        expectAmplitudesNear(expected, "shape");
    }
}

TEST_F(DisplayViews, AClickEscapeOrAStrokeOffTheEdgesChangeNothingUntoward) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    const Texts square = texts();
    QTest::mouseClick(&oscil(), Qt::LeftButton, {}, QPoint(100, 40));
    EXPECT_EQ(texts(), square) << "a click";
    QTest::mousePress(&oscil(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(&oscil(), QPoint(300, 200));
    QTest::keyClick(&oscil(), Qt::Key_Escape);
    QTest::mouseRelease(&oscil(), Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_EQ(texts(), square) << "Escape";
    draw(-50, 600, [](int x) { return x < 256 ? -400.0 : 900.0; });
    for (const auto& text : texts()) {
        EXPECT_LE(std::abs(std::stod(text)), 200.0) << text;
    }
}

TEST_F(DisplayViews, TheDrawingStaysBesideItsSumUntilTheAmplitudesChangeAgain) {
    const forms::Color drawn{0, 220, 255};
    draw(0, 255, [](int x) { return 128.0 - 60.0 * std::sin(2 * pi * x / 256); });
    QTRY_VERIFY(count(drawn) > 400);
    QTest::qWait(250);
    EXPECT_GT(count(drawn), 400) << "after its own change, over the following ticks";
    typeOver(4, "7");
    QTRY_COMPARE(count(drawn), 0);
}

TEST_F(DisplayViews, HarmonicsAndTargetShowWithTheirKeysAndTheFitFollowsTheClosedForms) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    oscil().setFocus();
    QTest::keyClick(&oscil(), Qt::Key_H);
    QTest::keyClick(&oscil(), Qt::Key_T);
    QTRY_VERIFY(count({120, 120, 120}) > 200);
    EXPECT_GT(count({170, 70, 70}), 200) << "the fundamental, in the first colour";
    EXPECT_GT(count({150, 150, 60}), 50) << "the third harmonic";
    EXPECT_EQ(count({170, 120, 50}), 0) << "no second harmonic sounds";

    // Square wave of fundamental 100: height h = 100 pi / 4, series 100/k for odd k. The RMS
    // error by Parseval's theorem, the overshoot from the largest value of the sum.
    const auto expected = [](const std::vector<double>& a) {
        const double h = 100.0 * pi / 4.0;
        double error = 0.0;
        for (int k = 1; k < 200000; ++k) {
            const double b = k % 2 == 1 ? 100.0 / k : 0.0;
            const double ak = k <= 17 ? a[std::size_t(k - 1)] : 0.0;
            error += (ak - b) * (ak - b) / 2.0;
        }
        double peak = 0.0;
        for (int j = 0; j <= 20000; ++j) {
            double sum = 0.0;
            for (std::size_t k = 0; k < a.size(); ++k) {
                sum += a[k] * std::sin(double(k + 1) * pi * j / 20000);
            }
            peak = std::max(peak, sum);
        }
        return std::vector<double>{100.0 * std::sqrt(error) / h, 100.0 * (peak - h) / (2 * h)};
    };
    const std::vector<double> table{100, 0, 30, 0, 14, 0, 7, 0, 3, 0, 1, 0, 0, 0, 0, 0, 0};
    const std::vector<double> rounded{100, 0, 33, 0, 20, 0, 14, 0, 11, 0, 9, 0, 8, 0, 7, 0, 6};
    for (const auto& amplitudes : {table, rounded}) {
        for (std::size_t i = 0; i < 17; ++i) {
            box(int(i)).setText(QString::number(amplitudes[i]));
        }
        QTRY_COMPARE(captionFigures().size(), 2U);
        QTest::qWait(150);
        const auto figures = captionFigures();
        const auto wanted = expected(amplitudes);
        EXPECT_NEAR(figures[0], wanted[0], 0.2);
        EXPECT_NEAR(figures[1], wanted[1], 0.2);
    }
    QTest::keyClick(&oscil(), Qt::Key_T);
    QTRY_COMPARE(oscil().captionText(), QString());
}

} // namespace
