// The phases and the large view, through the real window and as painted.
#include "largeview/LargeView.h"

#include "accessible/qt/Announcement.h"
#include "largeview/Chart.h"
#include "largeview/Picture.h"
#include "scope/Palette.h"
#include "tests/support/Form1Fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>

namespace {

using testing_support::eventually;

class LargeView : public testing_support::Form1Fixture {
protected:
    largeview::LargeView& view() { return *window->findChild<largeview::LargeView*>("largeView"); }
    QWidget& bar(int k) { return *view().findChild<QWidget*>(QStringLiteral("bar_%1").arg(k)); }
    QString copied() {
        QTest::keySequence(&oscil(), QKeySequence("Ctrl+Shift+C"));
        return QApplication::clipboard()->text();
    }
    void paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        menuItem("Paste amplitudes").trigger();
    }
};

const QString square = "100 0 30 0 14 0 7 0 3 0 1 0 0 0 0 0 0";

// GIVEN SQUARE in sine phase WHEN phases are pasted THEN the picture changes, Sine phases only
// brings back the sine-phase picture, and the clipboard, undo and a preset carry the phases.
TEST_F(LargeView, PhasesComeWithTheClipboardAndUndoAndLeaveWithAPreset) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    onDisplay("ss"); // drawn now, not at the next tick
    const QImage sinePhase = oscil().image();
    paste(square + "\n0 0 60 0 -45 0 0 0 0 0 0 0 0 0 0 0 0");
    EXPECT_EQ(copied(), square + "\n0 0 60 0 -45 0 0 0 0 0 0 0 0 0 0 0 0");
    EXPECT_NE(oscil().image(), sinePhase);
    onDisplay("s");
    EXPECT_EQ(oscil().image(), sinePhase) << "Sine phases only";
    onDisplay("s");
    EXPECT_NE(oscil().image(), sinePhase);
    // Past 90 degrees a phase turns the amplitude's sign, as the sum does.
    paste(square + "\n0 0 120 0 0 0 0 0 0 0 0 0 0 0 0 0 -90");
    EXPECT_EQ(copied(),
              "100 0 -30 0 14 0 7 0 3 0 1 0 0 0 0 0 0\n0 0 -60 0 0 0 0 0 0 0 0 0 0 0 0 0 90");
    menuItem("Undo").trigger();
    EXPECT_EQ(copied(), square + "\n0 0 60 0 -45 0 0 0 0 0 0 0 0 0 0 0 0");
    menuItem("Undo").trigger();
    EXPECT_EQ(copied(), square);
    menuItem("Redo").trigger();
    QTest::mouseClick(&button(1), Qt::LeftButton);
    EXPECT_EQ(copied(), square) << "a preset is in sine phase";
    menuItem("Undo").trigger();
    paste("1 2 3");
    EXPECT_EQ(copied(), "1 2 3 0 0 0 0 0 0 0 0 0 0 0 0 0 0") << "amplitudes alone, phases 0";
    // A second line is phases, however short either line is.
    const QString zeros = " 0 0 0 0 0 0 0 0 0 0 0 0 0 0";
    paste("100 0 0\n90 0 0");
    EXPECT_EQ(copied(), "100 0 0" + zeros + "\n90 0 0" + zeros);
    // A cosine starts at its top: the trace from there, with no line up from the zero line.
    onDisplay("ss");
    const QImage cosine = oscil().image();
    int greenInFirstColumn = 0;
    for (int y = 0; y < cosine.height(); ++y) {
        greenInFirstColumn += cosine.pixelColor(0, y) == QColor(Qt::green) ? 1 : 0;
    }
    EXPECT_LE(greenInFirstColumn, 2);
    paste(square + "\n-90 0 0");
    EXPECT_EQ(copied(), "-" + square + "\n90 0 0" + zeros) << "-90 degrees: 90, turned over";
}

// GIVEN the large view open WHEN either window edits THEN the other shows it, each edit one step;
// a screen reader hears each bar as a slider and the view as the display.
TEST_F(LargeView, EditsInEitherWindowShowInTheOther) {
    onDisplay("v");
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view()));
    view().resize(800, 600);
    ASSERT_TRUE(eventually([this] { return view().width() == 800; }));
    typeOver(0, "150");
    QAccessibleInterface* first = QAccessible::queryAccessibleInterface(&bar(0));
    EXPECT_EQ(first->role(), QAccessible::Slider);
    EXPECT_EQ(first->text(QAccessible::Name), "Harmonic 1");
    EXPECT_EQ(first->text(QAccessible::Value), "150");
    EXPECT_EQ(first->text(QAccessible::Description), "phase 0 degrees");
    const largeview::Layout layout = largeview::layoutFor(800, 600);
    const auto at = [](const largeview::Box& box, double up) {
        return QPoint(int(box.x + box.width / 2), int(box.bottom() - box.height * up));
    };
    QTest::mousePress(&view(), Qt::LeftButton, {}, at(layout.bars[2], 0.99));
    QTest::mouseMove(&view(), at(layout.bars[2], 0.75));
    QTest::mouseRelease(&view(), Qt::LeftButton, {}, at(layout.bars[2], 0.75));
    // A pixel of the chart is about two units of amplitude and one degree at this size.
    const int third = box(2).text().toInt();
    EXPECT_NEAR(third, 100, 2);
    QTest::mouseClick(&view(), Qt::LeftButton, {}, at(layout.phases[0], 0.75));
    const int phase = first->text(QAccessible::Description).section(' ', 1, 1).toInt();
    EXPECT_NEAR(phase, 45, 1);
    QApplication::setActiveWindow(&view()); // as a click on it would make it
    bar(4).setFocus();
    QTest::keyClick(&bar(4), Qt::Key_PageUp);
    QTest::keyClick(&bar(4), Qt::Key_Right);
    EXPECT_EQ(box(4).text(), "10");
    EXPECT_EQ(view().findChild<accessible::Announcement*>()->text(), "phase 5 degrees")
        << "a reader speaks a slider's value, not its description";
    const auto clip = [&](int fifth, int fifthPhase, bool phased = true) {
        const QString amplitudes =
            QString("150 0 %1 0 %2 0 0 0 0 0 0 0 0 0 0 0 0").arg(third).arg(fifth);
        return phased
                   ? amplitudes +
                         QString("\n%1 0 0 0 %2 0 0 0 0 0 0 0 0 0 0 0 0").arg(phase).arg(fifthPhase)
                   : amplitudes;
    };
    EXPECT_EQ(copied(), clip(10, 5));
    for (const QString& before : {clip(10, 0), clip(0, 0), clip(0, 0, false)}) {
        QTest::keySequence(&bar(4), QKeySequence::Undo);
        EXPECT_EQ(copied(), before);
    }
    EXPECT_TRUE(eventually(
        [this] { return view().accessibleDescription() == oscil().accessibleDescription(); }));
    menuItem("Large view").trigger();
    EXPECT_TRUE(eventually([this] { return !view().isVisible(); }));
}

// GIVEN twice SQUARE with the harmonics view WHEN painted small and large THEN each bar stands at
// its amplitude, the legend numbers the sounding harmonics in their colours, and the wave fills
// its area without passing it.
TEST(LargeViewPicture, ShowsBarsLegendAndAWaveScaledToFit) {
    scope::Views views;
    views.harmonics = true;
    largeview::Scene scene;
    scene.amplitudes = {200, 0, 60, 0, 28, 0, 14, 0, 6, 0, 2};
    scene.views = &views;
    for (const QSize size : {QSize(400, 300), QSize(1920, 1080)}) {
        QImage image(size, QImage::Format_RGB32);
        largeview::paint(image, scene);
        const largeview::Layout layout = largeview::layoutFor(size.width(), size.height());
        const auto colourAt = [&](const largeview::Box& box, double up) {
            return image.pixelColor(int(box.x + box.width / 2),
                                    int(box.bottom() - box.height * up));
        };
        const auto colour = [](std::size_t k) {
            const forms::Color c = scope::harmonicColour(k);
            return QColor(c.red, c.green, c.blue).lighter(130);
        };
        EXPECT_EQ(colourAt(layout.bars[0], 0.97), colour(0)) << size.width();
        EXPECT_EQ(colourAt(layout.bars[2], 0.63), colour(2)) << size.width();
        EXPECT_NE(colourAt(layout.bars[2], 0.67), colour(2)) << size.width();
        EXPECT_NE(colourAt(layout.bars[1], 0.55), colour(1)) << size.width();
        // The legend's swatches, in its row under the wave.
        std::set<QRgb> legend;
        const int row = int(layout.legend.y + layout.textHeight * 0.7);
        for (int x = int(layout.legend.x); x < int(layout.legend.x + layout.legend.width); ++x) {
            legend.insert(image.pixel(x, row));
        }
        for (std::size_t k = 0; k < 4; ++k) {
            const forms::Color c = scope::harmonicColour(k);
            EXPECT_EQ(legend.count(qRgb(c.red, c.green, c.blue)), k % 2 == 0 ? 1U : 0U) << k;
        }
        // The wave unbroken, column to column, and inside its area without touching its edges.
        int top = size.height();
        int bottom = 0;
        std::pair<int, int> before{0, size.height()};
        const int frame = int(layout.textHeight / 8) + 2; // the area's border lies over it
        for (int x = int(layout.wave.x) + frame; x < int(layout.wave.x + layout.wave.width) - frame;
             ++x) {
            std::pair<int, int> run{size.height(), 0};
            for (int y = int(layout.wave.y); y < int(layout.wave.bottom()); ++y) {
                if (image.pixelColor(x, y) == QColor(Qt::green)) {
                    run = {std::min(run.first, y), std::max(run.second, y)};
                }
            }
            ASSERT_LE(run.first, run.second) << "column " << x << " at " << size.width();
            ASSERT_TRUE(run.first <= before.second + 1 && run.second + 1 >= before.first)
                << "a gap at column " << x << " at " << size.width();
            before = run;
            top = std::min(top, run.first);
            bottom = std::max(bottom, run.second);
        }
        EXPECT_GT(top, int(layout.wave.y) + frame) << size.width();
        EXPECT_LT(bottom, int(layout.wave.bottom()) - frame) << size.width();
        EXPECT_LT(top, layout.wave.y + layout.wave.height * 0.2) << size.width();
        EXPECT_GE(layout.textHeight, 0.025 * size.height());
    }
}

} // namespace
