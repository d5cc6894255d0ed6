// The wave game played through the real window, on waves from a seeded source.
#include "game/WaveGame.h"
#include "tests/support/Form1Fixture.h"
#include "tests/support/QtUser.h"

#include <QAccessible>
#include <QLabel>
#include <random>

namespace {

game::Random seeded() {
    return [engine = std::mt19937(11)](int low, int high) mutable {
        return std::uniform_int_distribution<int>(low, high)(engine);
    };
}

class WaveGameWindow : public testing_support::Form1Fixture {
protected:
    WaveGameWindow() { open(nullptr, seeded()); }
    void key(Qt::Key key) {
        oscil().setFocus();
        QTest::keyClick(&oscil(), key);
    }
    QString description() {
        return QAccessible::queryAccessibleInterface(&oscil())->text(QAccessible::Description);
    }
    static QString asTexts(const game::Wave& wave) {
        QStringList texts;
        for (const int amplitude : wave) {
            texts << QString::number(amplitude);
        }
        return texts.join(' ');
    }
    // The window's game draws the same waves as this one.
    game::WaveGame twin{seeded()};
};

TEST_F(WaveGameWindow, AMatchScoresTheAnswerScoresNothingAndEndingBringsTheAmplitudesBack) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    const QString square = texts();
    // WHEN the game starts, THEN from silence, with the hidden wave drawn as a target is
    key(Qt::Key_G);
    twin.start();
    EXPECT_EQ(texts(), "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0");
    EXPECT_TRUE(testing_support::eventually([&] { return count(qRgb(120, 120, 120)) > 100; }));
    EXPECT_TRUE(testing_support::eventually(
        [&] { return description().contains("Wave game: level 1, score 0"); }));
    // WHEN the player sets its amplitudes in the boxes, THEN a point, and soon the next wave
    for (int k = 0; k < 17; ++k) {
        if (twin.hidden()[static_cast<std::size_t>(k)] != 0) {
            qt_user::pasteOver(box(k), QString::number(twin.hidden()[static_cast<std::size_t>(k)]));
        }
    }
    EXPECT_TRUE(testing_support::eventually(
        [&] { return child<QLabel>("note").text() == "Match! Level 1, score 1."; }));
    EXPECT_TRUE(testing_support::eventually([&] {
        const QString fits = "RMS error " + QLocale().toString(0.0, 'f', 1); // the next does not
        return description().contains("score 1") && !description().contains(fits);
    }));
    twin.newWave();
    // WHEN the answer is shown, THEN the boxes hold it and it scores nothing
    key(Qt::Key_A);
    EXPECT_EQ(texts(), asTexts(twin.hidden()));
    QTest::qWait(150);
    EXPECT_TRUE(description().contains("score 1")) << description().toStdString();
    // WHEN level 6 is asked for with no sound to play it on, THEN the level stays
    key(Qt::Key_6);
    EXPECT_TRUE(description().contains("level 1"));
    // WHEN the game ends, THEN the amplitudes are back, and undo goes back into the game
    key(Qt::Key_G);
    EXPECT_EQ(texts(), square);
    EXPECT_TRUE(testing_support::eventually([&] { return count(qRgb(120, 120, 120)) == 0; }));
    menuItem("Undo").trigger();
    EXPECT_EQ(texts(), asTexts(twin.hidden()));
}

} // namespace
