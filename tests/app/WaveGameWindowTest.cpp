// The wave game played through the real window, on waves from a seeded source.
#include "tests/support/Form1Fixture.h"
#include "tests/support/QtUser.h"
#include "tests/support/SeededRandom.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>

namespace {

class WaveGameWindow : public testing_support::Form1Fixture {
protected:
    WaveGameWindow() { open(nullptr, seededRandom(11)); }
    // The window's game draws the same waves as this one.
    game::WaveGame twin{seededRandom(11)};
};

TEST_F(WaveGameWindow, AMatchScoresTheAnswerScoresNothingAndEndingBringsTheAmplitudesBack) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    const QString square = texts();
    // WHEN a level is chosen before the game, THEN the game starts there, from silence, with the
    // hidden wave drawn as a target is, and the level and score on screen
    menuItem("Level 2: 2 of harmonics 1–7").trigger();
    twin.start();
    twin.chooseLevel(2);
    EXPECT_EQ(texts(), "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0");
    EXPECT_TRUE(testing_support::eventually([&] { return count(qRgb(120, 120, 120)) > 100; }));
    EXPECT_TRUE(oscil().captionText().endsWith("   Wave game: level 2, score 0"));
    // WHEN the player sets its amplitudes in the boxes, THEN a point, and soon the next wave
    for (int k = 0; k < 17; ++k) {
        qt_user::pasteOver(box(k), QString::number(twin.hidden().amplitudes[std::size_t(k)]));
    }
    EXPECT_TRUE(testing_support::eventually(
        [&] { return child<QLabel>("note").text() == "Match! Level 2, score 1."; }));
    const QString exact = QString("RMS error %1 %   overshoot +%1 %   Wave game: level 2, score 1")
                              .arg(QLocale().toString(0.0, 'f', 1));
    EXPECT_TRUE(testing_support::eventually([&] {
        return description().contains("score 1") && oscil().captionText() != exact;
    })) << "the next wave";
    twin.newWave();
    // WHEN the answer is shown, THEN the boxes hold it, it meets the wave exactly, and scores
    // nothing
    onDisplay("a");
    EXPECT_EQ(numbers(), twin.hidden().amplitudes);
    EXPECT_TRUE(testing_support::eventually([&] { return oscil().captionText() == exact; }))
        << oscil().captionText().toStdString();
    // WHEN phases come with a paste, THEN the game still draws and measures in sine phase
    QApplication::clipboard()->setText(texts() + "\n" + QString("90 ").repeated(16) + "90");
    menuItem("Paste amplitudes").trigger();
    QTest::qWait(300); // past the display's next tick
    EXPECT_EQ(oscil().captionText(), exact);
    // WHEN level 6 is asked for with no sound to play it on, THEN the level stays, and says why
    onDisplay("6");
    EXPECT_TRUE(oscil().captionText().endsWith("level 2, score 1"));
    EXPECT_EQ(child<QLabel>("note").text(), "Level 6 is played by ear and needs the sound: switch "
                                            "it on with Ctrl+P, then press 6.");
    // WHEN the game ends, THEN the amplitudes are back, and undo goes back into the game
    onDisplay("g");
    EXPECT_EQ(texts(), square);
    EXPECT_TRUE(testing_support::eventually([&] { return count(qRgb(120, 120, 120)) == 0; }));
    EXPECT_EQ(oscil().captionText(), "");
    menuItem("Undo").trigger();
    EXPECT_EQ(numbers(), twin.hidden().amplitudes);
}

} // namespace
