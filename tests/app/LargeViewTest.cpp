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
    largeview::Scene scene;
    scene.timbre.amplitudes = {200, 0, 60, 0, 28, 0, 14, 0, 6, 0, 2};
    scene.harmonics = true;
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

namespace {

// GIVEN the widest texts the view shows (every harmonic sounding, long figures, a note, the keys
// strip below) WHEN painted at every common size, landscape and portrait, in either scale THEN
// every text lies inside the picture whole, no two touch, none meets a bar or the focus frame, and
// the legend holds all 17 harmonics in the size of the other texts.
TEST(LargeViewPicture, HoldsItsLayoutAtEverySize) {
    largeview::Scene scene;
    for (std::size_t k = 0; k < 17; ++k) {
        scene.timbre.amplitudes[k] = k % 2 == 0 ? -187.5 : 199;
        scene.timbre.phases[k] = k % 2 == 0 ? -22 : 90;
    }
    scene.heard = scene.timbre.phases;
    scene.harmonics = true;
    scene.focused = 0;
    scene.fit = "RMS error 96.2 %   overshoot +100.0 %";
    scene.status = "Wave game: level 6, score 12";
    scene.note = "The sound has stopped, and level 6 is only heard: your round waits for the sound "
                 "to come back.";
    scene.sinePhasesNote = "Sine phases only: the phases are set aside (S)";
    scene.scaleNote = "Top of the wave: %1";
    scene.harmonicsNote = "Harmonics:";
    scene.chartNote = "Amplitudes in dB (D: linear) and phases";
    model::TimbreOverTime note;
    for (int i = 0; i < 300; ++i) {
        note.moments.push_back({0.01 * i, 220.0 + i % 7, scene.timbre, 0});
    }
    scene.overTimeNote = "Harmonics over time, in dB, and the pitch";
    scene.cursorNote = "12.35 s · 1234.5 Hz";
    scene.startNote = "10.00 s";
    scene.endNote = "12.99 s";
    for (const QSize size : {QSize(400, 300), QSize(800, 600), QSize(1024, 768), QSize(1920, 1080),
                             QSize(1080, 1920), QSize(3840, 2160)}) {
        for (const bool decibels : {false, true}) {
            scene.decibels = decibels;
            scene.overTime = decibels ? &note : nullptr;      // the time panel in one of the two
            scene.height = size.height() - size.height() / 5; // the keys below
            QImage image(size, QImage::Format_RGB32);
            const largeview::Drawn drawn = largeview::paint(image, scene);
            const std::vector<QRectF>& texts = drawn.texts;
            const auto layout = largeview::layoutFor(size.width(), scene.height, decibels);
            const auto where = [&](std::size_t i) {
                return QString("%1x%2 text %3")
                    .arg(size.width())
                    .arg(size.height())
                    .arg(i)
                    .toStdString();
            };
            ASSERT_GT(texts.size(), 17U * 3);
            EXPECT_EQ(drawn.cut, 0) << where(0) << ": every text whole";
            // The legend in the size of the scale's note above the wave, not shrunk to one row.
            double full = 0;
            for (const QRectF& text : texts) {
                full = text.bottom() <= layout.wave.y ? std::max(full, text.height()) : full;
            }
            const auto& legendBox = layout.legend;
            for (const QRectF& text : texts) {
                if (QRectF(legendBox.x, legendBox.y, legendBox.width, legendBox.height)
                        .contains(text)) {
                    EXPECT_GE(text.height(), 0.95 * full) << where(0) << ": the legend shrunk";
                }
            }
            for (std::size_t i = 0; i < texts.size(); ++i) {
                EXPECT_TRUE(QRectF(0, 0, size.width(), scene.height).contains(texts[i]))
                    << where(i);
                for (std::size_t j = i + 1; j < texts.size(); ++j) {
                    EXPECT_FALSE(texts[i].adjusted(0.5, 0.5, -0.5, -0.5).intersects(texts[j]))
                        << where(i) << " and " << j;
                }
                const double pen = std::max(2.0, layout.textHeight / 6) + 1;
                for (std::size_t k = 0; k < 17; ++k) {
                    const QRectF bar =
                        QRectF(layout.bars[k].x, layout.bars[k].y,
                               layout.phases[k].x + layout.phases[k].width - layout.bars[k].x,
                               layout.bars[k].height)
                            .adjusted(-pen, -pen, pen, pen);
                    EXPECT_FALSE(texts[i].intersects(bar)) << where(i) << " over bar " << k;
                }
                const largeview::Box& panel = layout.timePanel;
                EXPECT_FALSE(
                    texts[i].intersects(QRectF(panel.x, panel.y, panel.width, panel.height)))
                    << where(i) << " over the time panel";
            }
            std::set<QRgb> legend;
            const largeview::Box& box = layout.legend;
            for (int y = int(box.y); y < int(box.bottom()); ++y) {
                for (int x = int(box.x); x < int(box.x + box.width); ++x) {
                    legend.insert(image.pixel(x, y));
                }
            }
            for (std::size_t k = 0; k < 17; ++k) {
                const forms::Color c = scope::harmonicColour(k);
                EXPECT_EQ(legend.count(qRgb(c.red, c.green, c.blue)), 1U)
                    << "harmonic " << k + 1 << " at " << where(0);
            }
        }
    }
}

} // namespace

namespace {

// GIVEN the large view WHEN a bar is dragged through many points or its phase scrolled by many
// notches, Tab pressed past the last bar, phases set aside and the game started THEN each gesture
// is one step, every stop is a bar, and both windows say what they show.
TEST_F(LargeView, EachGestureIsOneStepAndEveryStopABar) {
    onDisplay("v");
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view()));
    view().resize(800, 600);
    ASSERT_TRUE(eventually([this] { return view().width() == 800; }));
    const largeview::Layout layout = largeview::layoutFor(800, 600);
    const auto at = [](const largeview::Box& box, double up) {
        return QPoint(int(box.x + box.width / 2), int(box.bottom() - box.height * up));
    };
    for (const auto* column : {&layout.phases[0], &layout.bars[2]}) {
        QTest::mousePress(&view(), Qt::LeftButton, {}, at(*column, 0.5));
        for (const double up : {0.6, 0.7, 0.8, 0.9, 0.95}) {
            QTest::mouseMove(&view(), at(*column, up));
            QApplication::processEvents(); // each move's step would be closed here
        }
        QTest::mouseRelease(&view(), Qt::LeftButton, {}, at(*column, 0.95));
    }
    for (int notch = 0; notch < 3; ++notch) {
        const QPointF point = at(layout.phases[4], 0.5);
        QWheelEvent wheel(point, view().mapToGlobal(point), {}, {0, 120}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view(), &wheel);
        QApplication::processEvents();
    }
    const QString zeros = " 0 0 0 0 0 0 0 0 0 0 0 0 0 0";
    EXPECT_EQ(copied(), "0 0 180" + zeros + "\n81 0 0 0 15 0 0 0 0 0 0 0 0 0 0 0 0");
    QTest::keySequence(&oscil(), QKeySequence::Undo);
    EXPECT_EQ(copied(), "0 0 180" + zeros + "\n81 0 0" + zeros) << "the scroll, one step";
    QTest::keySequence(&oscil(), QKeySequence::Undo);
    EXPECT_EQ(copied(), "0 0 0" + zeros + "\n81 0 0" + zeros) << "the drag, one step";
    QTest::keySequence(&oscil(), QKeySequence::Undo);
    EXPECT_EQ(copied(), "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0") << "the phase's drag, one step";
    QApplication::setActiveWindow(&view());
    bar(16).setFocus();
    QTest::keyClick(&bar(16), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &bar(0)) << "past the last bar, the first";
    paste("100\n30");
    onDisplay("s");
    EXPECT_TRUE(oscil().captionText().contains("Sine phases only")) << "said where it is drawn";
    const QImage before = view().grab().toImage();
    onDisplay("g");
    EXPECT_TRUE(eventually([&] { return view().grab().toImage() != before; }));
    const QImage during = view().grab().toImage();
    const QRect band(400, 0, 400, int(layout.wave.y)); // the figures' and the level's place
    EXPECT_NE(during.copy(band), before.copy(band)) << "the game's level and score";
}

} // namespace

namespace {

// GIVEN a note whose first harmonic stands at 50 and second at 10 WHEN its time panel is painted
// THEN each track lies at its level in dB, and the cursor stands at its moment's place across
// the panel.
TEST(LargeViewPicture, DrawsEachTrackAtItsLevelAndTheCursorAtItsMoment) {
    model::TimbreOverTime note;
    for (int i = 0; i < 101; ++i) {
        note.moments.push_back({0.01 * i, 220.0, {{50, 10}, {}}, 0.0});
    }
    largeview::Scene scene;
    scene.overTime = &note;
    scene.cursor = 25;
    QImage image(1280, 720, QImage::Format_RGB32);
    largeview::paint(image, scene);
    const largeview::Box panel = largeview::layoutFor(1280, 720, true).timePanel;
    const auto colour = [](std::size_t k) {
        const forms::Color c = scope::harmonicColour(k);
        return qRgb(c.red, c.green, c.blue);
    };
    const auto rowsOf = [&](QRgb wanted, int x) {
        std::vector<double> rows;
        for (int y = int(panel.y); y < int(panel.bottom()); ++y) {
            if (image.pixel(x, y) == wanted) {
                rows.push_back((y + 0.5 - panel.y) / panel.height);
            }
        }
        return rows;
    };
    const int across = int(panel.x + panel.width * 0.75);
    for (const auto& [k, fraction] : {std::pair{0, 6.02 / 60}, {1, 20.0 / 60}}) {
        const auto rows = rowsOf(colour(std::size_t(k)), across);
        ASSERT_FALSE(rows.empty()) << "harmonic " << k + 1;
        EXPECT_NEAR(rows[rows.size() / 2], fraction, 0.02) << "harmonic " << k + 1;
    }
    const auto cursor = rowsOf(qRgb(255, 255, 0), int(panel.x + panel.width / 4));
    EXPECT_GT(cursor.size(), std::size_t(panel.height * 0.9)) << "the cursor, top to foot";
}

} // namespace

// GIVEN Shift+E on the display WHEN the envelope's handles are moved by keys and by a drag, then
// pasted THEN a reader hears each as a slider, the clipboard carries it as a third line, each key
// and the drag are an undo step, and a bad envelope line pastes nothing.
TEST_F(LargeView, TheEnvelopeIsSetByKeysAndDragsCopiedPastedAndUndone) {
    QTest::keyClick(&oscil(), Qt::Key_E, Qt::ShiftModifier);
    auto handle = [this](int i) {
        return view().findChild<QWidget*>(QStringLiteral("envelope%1").arg(i));
    };
    ASSERT_TRUE(eventually([&handle] { return handle(0)->hasFocus(); }));
    const std::pair<int, Qt::Key> keys[] = {{0, Qt::Key_PageUp}, {1, Qt::Key_Right},
                                            {2, Qt::Key_Home},   {3, Qt::Key_End},
                                            {4, Qt::Key_Up},     {4, Qt::Key_Up}};
    for (const auto& [i, key] : keys) {
        handle(i)->setFocus();
        QTest::keyClick(handle(i), key);
    }
    QAccessibleInterface* attack = QAccessible::queryAccessibleInterface(handle(0));
    EXPECT_EQ(attack->role(), QAccessible::Slider);
    EXPECT_EQ(attack->text(QAccessible::Name), "Attack");
    EXPECT_EQ(attack->text(QAccessible::Value), QLocale().toString(30) + " ms");
    EXPECT_EQ(copied().section('\n', 2), "envelope 30 1 0 10000 0.2");
    QWidget* editor = view().findChild<QWidget*>("envelopeEditor");
    const QPoint end = handle(3)->geometry().center();
    QTest::mousePress(editor, Qt::LeftButton, {}, end);
    QTest::mouseMove(editor, end - QPoint(editor->width() / 10, 0));
    QTest::mouseRelease(editor, Qt::LeftButton, {}, end - QPoint(editor->width() / 10, 0));
    const QString dragged = copied().section('\n', 2);
    EXPECT_LT(dragged.section(' ', 4, 4).toDouble(), 9000) << dragged.toStdString();
    for (const char* wanted : {"30 1 0 10000 0.2", "30 1 0 10000 0.1", "30 1 0 10000 0",
                               "30 1 0 30 0", "30 1 100 30 0"}) {
        QTest::keySequence(&oscil(), QKeySequence::Undo);
        EXPECT_EQ(copied().section('\n', 2), "envelope " + QString(wanted));
    }
    paste("100\n0\nenvelope 200 0 100 400");
    EXPECT_EQ(copied(), "100 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n" + QString("0 ").repeated(16) +
                            "0\nenvelope 200 0 100 400 0");
    paste("50\nenvelope 1 x");
    EXPECT_EQ(box(0).text(), "100") << "a bad envelope pastes nothing";
}
