// Editing amplitudes on the real window, with real keys, mouse and clipboard.
#include "tests/support/BankInvariants.h"
#include "tests/support/Form1Fixture.h"
#include "tests/support/LiteralSynthesis.h"
#include "tests/support/MemoryForm1.h"
#include "tests/support/QtUser.h"
#include "tests/support/TraceCheck.h"
#include "tests/support/UserActions.h"

#include <QApplication>

namespace {

class Editing : public testing_support::Form1Fixture {
protected:
    // Clicks into the box, selects all of it and types over it.
    void typeOver(int i, const QString& keys) {
        box(i).setFocus();
        box(i).selectAll();
        QTest::keyClicks(&box(i), keys);
    }
};

TEST_F(Editing, TypingIntoABoxMovesItsSliderAndClampsAtTheLimit) {
    typeOver(3, "25");
    EXPECT_EQ(box(3).text(), "25");
    EXPECT_EQ(slider(3).value(), -25);
    QTest::keyClicks(&box(3), "0");
    EXPECT_EQ(box(3).text(), "200");
    EXPECT_EQ(slider(3).value(), -200);
}

TEST_F(Editing, TheCaretStaysWhereTheUserIsTyping) {
    typeOver(2, "12");
    QTest::keyClick(&box(2), Qt::Key_Home);
    QTest::keyClicks(&box(2), "0"); // the leading zero vanishes; the caret stays in front
    EXPECT_EQ(box(2).text(), "12");
    EXPECT_EQ(box(2).cursorPosition(), 0);
    QTest::keyClicks(&box(2), "1");
    EXPECT_EQ(box(2).text(), "112");
    QTest::keyClick(&box(2), Qt::Key_Right);
    QTest::keyClick(&box(2), Qt::Key_Backspace);
    QTest::keyClicks(&box(2), "5");
    EXPECT_EQ(box(2).text(), "152");
    QTest::keyClicks(&box(2), "0"); // 1502 is clamped to 200
    EXPECT_EQ(box(2).text(), "200");
    EXPECT_EQ(slider(2).value(), -200);
}

TEST_F(Editing, TypingAfterMovingLeftInsertsWhereTheCaretIs) {
    typeOver(6, "25");
    QTest::keyClick(&box(6), Qt::Key_Left);
    QTest::keyClicks(&box(6), "1"); // 215, over the limit
    EXPECT_EQ(box(6).text(), "200");
    EXPECT_EQ(slider(6).value(), -200);

    typeOver(6, "15");
    QTest::keyClick(&box(6), Qt::Key_Left);
    QTest::keyClicks(&box(6), "1");
    EXPECT_EQ(box(6).text(), "115");
    EXPECT_EQ(box(6).cursorPosition(), 2);
    EXPECT_EQ(slider(6).value(), -115);
}

TEST_F(Editing, DraggingAThumbWritesTheBoxOnRelease) {
    const std::vector<int> reachable = qt_user::reachableByDrag(slider(5));
    const int target = *std::lower_bound(reachable.begin(), reachable.end(), -37);
    QString whileHeld;
    qt_user::dragThumbTo(slider(5), target, [&] { whileHeld = box(5).text(); });
    EXPECT_EQ(whileHeld, "0");
    EXPECT_EQ(slider(5).value(), target);
    EXPECT_EQ(box(5).text(), QString::number(-target));
}

TEST_F(Editing, ArrowAndPageKeysOnASliderStepTheAmplitude) {
    slider(0).setFocus();
    QTest::keyClick(&slider(0), Qt::Key_Up);
    EXPECT_EQ(box(0).text(), "1") << "up means a larger amplitude";
    QTest::keyClick(&slider(0), Qt::Key_PageUp);
    EXPECT_EQ(box(0).text(), "11");
    QTest::keyClick(&slider(0), Qt::Key_PageDown);
    QTest::keyClick(&slider(0), Qt::Key_PageDown);
    EXPECT_EQ(box(0).text(), "-9");
    QTest::keyClick(&slider(0), Qt::Key_End);
    EXPECT_EQ(box(0).text(), "-200");
}

TEST_F(Editing, PastingOverABoxSettlesInOneStep) {
    box(7).setFocus();
    for (const auto& [pasted, shown] :
         std::vector<std::pair<QString, QString>>{{"2.5", "2"},
                                                  {"2.5", "2.5"},
                                                  {"1e999", "200"},
                                                  {"   -42 volts", "-42"},
                                                  {"\xc2\xbd", "0"}}) {
        qt_user::pasteOver(box(7), pasted);
        EXPECT_EQ(box(7).text(), shown) << pasted.toStdString();
    }
    EXPECT_EQ(testing_support::bankInvariantFault(texts(), values()), "");
}

TEST_F(Editing, PastingAMegabyteSettlesOnTheLimitOrZero) {
    box(8).setFocus();
    qt_user::pasteOver(box(8), QString(1 << 20, QChar('9')));
    EXPECT_EQ(box(8).text(), "200");
    qt_user::pasteOver(box(8), QString(1 << 20, QChar('q')));
    EXPECT_EQ(box(8).text(), "0");
}

TEST_F(Editing, PresetButtonsLoadTheirWaveformsWhenClicked) {
    const std::array<std::string, 17> sin{"100", "0", "0", "0", "0", "0", "0", "0", "0",
                                          "0",   "0", "0", "0", "0", "0", "0", "0"};
    const std::array<std::string, 17> square{"100", "0", "30", "0", "14", "0", "7", "0", "3",
                                             "0",   "1", "0",  "0", "0",  "0", "0", "0"};
    auto& oscil = child<forms::PictureBox>("oscil");
    for (const auto& [index, expected] : {std::pair{4, sin}, std::pair{1, square}}) {
        box(12).setText("55");
        QTest::mouseClick(&button(index), Qt::LeftButton);
        EXPECT_EQ(texts(), expected);
        EXPECT_EQ(testing_support::bankInvariantFault(texts(), values()), "");
        EXPECT_EQ(box(0).cursorPosition(), 0) << "a narrow box shows its leading digits";

        // Within a tick the display shows the new waveform.
        const auto trace = testing_support::literalTrace(expected);
        const auto pixel = [&oscil](int x, int y) {
            const QRgb rgb = oscil.image().pixel(x, y);
            return forms::Color{std::uint8_t(qRed(rgb)), std::uint8_t(qGreen(rgb)),
                                std::uint8_t(qBlue(rgb))};
        };
        QTRY_VERIFY_WITH_TIMEOUT(testing_support::checkTracePicture(pixel, trace).empty(), 2000);
    }
}

// The same random session on the in-memory controls and on the widgets ends the same way,
// step by step: the quick logic tests speak for the real window.
TEST_F(Editing, RandomSessionEndsAsOnTheInMemoryControls) {
    testing_support::MemoryForm1 memory;
    testing_support::UserActionSource source(4242, qt_user::reachableByDrag(slider(0)));
    for (int step = 0; step < 1500; ++step) {
        const auto action = source.next(memory.texts());
        testing_support::applyTo(memory, action);
        const int slot = static_cast<int>(action.slot);
        const QString text =
            QString::fromUtf8(action.text.data(), static_cast<qsizetype>(action.text.size()));
        switch (action.kind) {
        case testing_support::UserAction::Kind::Type:
            qt_user::typeAt(box(slot), static_cast<int>(action.position), text);
            break;
        case testing_support::UserAction::Kind::Erase:
            qt_user::eraseAt(box(slot), static_cast<int>(action.position), 1);
            break;
        case testing_support::UserAction::Kind::Paste:
            qt_user::pasteOver(box(slot), text);
            break;
        case testing_support::UserAction::Kind::Drag:
            qt_user::dragThumbTo(slider(slot), action.value);
            break;
        case testing_support::UserAction::Kind::Step:
            slider(slot).setFocus();
            qt_user::pressKey(slider(slot), action.value == -1  ? Qt::Key_Up
                                            : action.value == 1 ? Qt::Key_Down
                                            : action.value < 0  ? Qt::Key_PageUp
                                                                : Qt::Key_PageDown);
            break;
        case testing_support::UserAction::Kind::Click:
            QTest::mouseClick(&button(slot), Qt::LeftButton);
            break;
        }
        ASSERT_EQ(texts(), memory.texts()) << "step " << step << ": " << action.describe();
        ASSERT_EQ(values(), memory.values()) << "step " << step << ": " << action.describe();
    }
}

} // namespace
