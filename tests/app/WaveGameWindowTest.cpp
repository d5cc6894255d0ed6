// The wave game played through the real window, on waves from a seeded source.
#include "tests/support/Form1Fixture.h"
#include "tests/support/QtUser.h"
#include "tests/support/SeededRandom.h"

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
    // WHEN the game starts, THEN from silence, with the hidden wave drawn as a target is
    onDisplay("g");
    twin.start();
    EXPECT_EQ(texts(), "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0");
    EXPECT_TRUE(testing_support::eventually([&] { return count(qRgb(120, 120, 120)) > 100; }));
    EXPECT_TRUE(testing_support::eventually(
        [&] { return description().contains("Wave game: level 1, score 0"); }));
    // WHEN the player sets its amplitudes in the boxes, THEN a point, and soon the next wave
    for (int k = 0; k < 17; ++k) {
        qt_user::pasteOver(box(k), QString::number(twin.hidden()[std::size_t(k)]));
    }
    EXPECT_TRUE(testing_support::eventually(
        [&] { return child<QLabel>("note").text() == "Match! Level 1, score 1."; }));
    EXPECT_TRUE(testing_support::eventually([&] {
        const QString fits = "RMS error " + QLocale().toString(0.0, 'f', 1); // the next does not
        return description().contains("score 1") && !description().contains(fits);
    }));
    twin.newWave();
    // WHEN the answer is shown, THEN the boxes hold it
    onDisplay("a");
    EXPECT_EQ(numbers(), game::amplitudesOf(twin.hidden()));
    // WHEN level 6 is asked for with no sound to play it on, THEN the level stays
    onDisplay("6");
    EXPECT_TRUE(description().contains("level 1"));
    // WHEN the game ends, THEN the amplitudes are back, and undo goes back into the game
    onDisplay("g");
    EXPECT_EQ(texts(), square);
    EXPECT_TRUE(testing_support::eventually([&] { return count(qRgb(120, 120, 120)) == 0; }));
    menuItem("Undo").trigger();
    EXPECT_EQ(numbers(), game::amplitudesOf(twin.hidden()));
}

} // namespace
