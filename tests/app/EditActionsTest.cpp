// Undo and redo, copying and pasting the amplitudes, on the real window.
#include "tests/support/Form1Fixture.h"
#include "tests/support/QtUser.h"

#include <QLabel>

namespace {

using EditActions = testing_support::Form1Fixture;

TEST_F(EditActions, EachUserActionIsOneStepUndoneAndRedoneWhereverTheFocusIs) {
    EXPECT_FALSE(menuItem("Undo").isEnabled());
    typeOver(3, "12"); // keystrokes in one box: one step
    QTest::mouseClick(&button(1), Qt::LeftButton);
    typeOver(9, "0"); // changes nothing: no step
    slider(0).setFocus();
    QTest::keyClick(&slider(0), Qt::Key_Up);
    typeOver(2, "2");
    qt_user::pasteOver(box(2), "2.5"); // still typing in box 2
    const QString states[] = {
        "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0", "0 0 0 12 0 0 0 0 0 0 0 0 0 0 0 0 0",
        "100 0 30 0 14 0 7 0 3 0 1 0 0 0 0 0 0", "101 0 30 0 14 0 7 0 3 0 1 0 0 0 0 0 0",
        "101 0 2.5 0 14 0 7 0 3 0 1 0 0 0 0 0 0"};
    for (int step = 3; step >= 0; --step) {
        QTest::keySequence(&box(2), QKeySequence("Ctrl+Z"));
        EXPECT_EQ(texts(), states[step]) << "undo to " << step;
        EXPECT_EQ(slider(0).value(), -box(0).text().toInt());
    }
    EXPECT_FALSE(menuItem("Undo").isEnabled());
    for (int step = 1; step <= 4; ++step) {
        QTest::keySequence(&box(7), QKeySequence(step % 2 == 0 ? "Ctrl+Shift+Z" : "Ctrl+Y"));
        EXPECT_EQ(texts(), states[step]) << "redo to " << step;
    }
    EXPECT_EQ(slider(2).value(), -2) << "the fraction came back with its slider";
    EXPECT_FALSE(menuItem("Redo").isEnabled());
    const auto wave = [](int x) { return 128.0 - 40.0 * std::sin(x / 40.7); };
    drawOnDisplay(0, 255, wave);
    EXPECT_EQ(box(0).text(), "60");
    const QString drawn = texts();
    // No step for what changes nothing: the same drawing, a preset again, a paste of the same.
    drawOnDisplay(0, 255, wave);
    for (const auto* item : {"SQUARE", "SQUARE", "Copy amplitudes", "Paste amplitudes", "Undo"}) {
        item[0] == 'S' ? QTest::mouseClick(&button(1), Qt::LeftButton) : menuItem(item).trigger();
    }
    EXPECT_EQ(texts(), drawn);
    menuItem("Undo").trigger();
    EXPECT_EQ(texts(), states[4]) << "a drawing is one step";
    slider(1).setFocus(); // at least a hundred steps are kept
    for (int i = 0; i < 120; ++i) {
        QTest::keyClick(&slider(1), Qt::Key_Up);
    }
    for (int i = 0; i < 100; ++i) {
        menuItem("Undo").trigger();
    }
    EXPECT_EQ(box(1).text(), "20");
    EXPECT_TRUE(menuItem("Undo").isEnabled());
}

TEST_F(EditActions, CopyAndPasteTheAmplitudesAsOneLine) {
    QTest::mouseClick(&button(1), Qt::LeftButton);
    typeOver(4, "3");
    qt_user::pasteOver(box(4), "3.5");
    QTest::keySequence(&oscil(), QKeySequence("Ctrl+Shift+C"));
    EXPECT_EQ(QApplication::clipboard()->text(), "100 0 30 0 4 0 7 0 3 0 1 0 0 0 0 0 0");
    const QString copied = texts();
    QTest::keySequence(&oscil(), QKeySequence("Ctrl+Shift+V"));
    EXPECT_EQ(texts(), copied) << "copy then paste changes nothing";
    // clang-format off
    const std::tuple<QString, QString, QString> cases[] = { // refused where nothing is expected
        {"1, 2; 3\n4\t5\n6", "1 2 3 4 5 6 0 0 0 0 0 0 0 0 0 0 0", ""},
        {"1, 2; 3\n4\t5", "1 2 3 0 0 0 0 0 0 0 0 0 0 0 0 0 0", ""}, // then phases
        {"1e2 -250 2.50 007", "100 -200 2 7 0 0 0 0 0 0 0 0 0 0 0 0 0", ""},
        {QString("9 ").repeated(20), "9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9", "Pasted the first 17 numbers and left out the rest (3 more)."},
        {"", "", "Nothing pasted"}, {" ;, ", "", "Nothing pasted"}, {"abc", "", "Nothing pasted"}, {"1 2 x 3", "", "Nothing pasted"},
        {"5e 3", "", "Nothing pasted"}, {"1 2 3" + QString(1 << 20, 'x'), "", "Nothing pasted"}};
    // clang-format on
    for (const auto& [clipboard, expected, note] : cases) {
        const QString before = texts();
        QApplication::clipboard()->setText(clipboard);
        menuItem("Paste amplitudes").trigger();
        EXPECT_EQ(texts(), expected.isEmpty() ? before : expected)
            << clipboard.left(20).toStdString();
        const QLabel& said = child<QLabel>("note");
        EXPECT_EQ(said.isVisible() ? said.text().left(note.size()) : "", note)
            << clipboard.left(20).toStdString();
        child<QLabel>("note").hide();
    }
    menuItem("Undo").trigger();
    EXPECT_EQ(texts(), "100 -200 2 7 0 0 0 0 0 0 0 0 0 0 0 0 0") << "a paste is one step";
}

} // namespace
