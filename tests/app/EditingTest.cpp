// Editing amplitudes on the real window, with real keys, mouse and clipboard.
#include "tests/support/Form1Fixture.h"
#include "tests/support/QtUser.h"

#include <QClipboard>

namespace {

using Editing = testing_support::Form1Fixture;

TEST_F(Editing, EveryEntrySettlesOnItsCanonicalClampedFormWithTheSliderFollowing) {
    enum How { Paste, Type };
    // The box's text before, how the entry is made, what is entered, then the box and the slider.
    // clang-format off
    const std::tuple<const char*, How, const char*, const char*, int> cases[] = {
        {"0", Paste, "", "0", 0}, {"0", Paste, "007", "7", -7}, {"0", Paste, "12abc", "12", -12},
        {"0", Paste, "-5", "-5", 5}, {"0", Paste, " 42 apples", "42", -42},
        {"0", Paste, "200", "200", -200}, {"0", Paste, "-200", "-200", 200},
        {"0", Paste, "200.4", "200", -200}, {"0", Paste, "-250", "-200", 200},
        {"0", Paste, "1e999", "200", -200}, {"0", Paste, "-1e999", "-200", 200},
        {"0", Paste, "199.4", "199", -199}, {"0", Paste, "-199.6", "-200", 200},
        {"0", Paste, "199.99", "200", -200}, {"0", Paste, "-1.5", "-2", 2},
        {"0", Paste, "-0.4", "-0.4", 0}, {"0", Paste, "0.5", "0.5", 0}, {"0", Paste, "1.5", "2", -2},
        {"0", Paste, "2.5", "2", -2}, {"2", Paste, "2.5", "2.5", -2}, {"3", Paste, "3.5", "4", -4},
        {"0", Paste, "-0", "0", 0}, {"0", Paste, "1e2", "100", -100},
        {"0", Paste, "1e-7", "1E-07", 0}, {"0", Paste, "3,5", "3", -3},
        {"0", Paste, "0x10", "0", 0}, {"0", Paste, "\xc2\xbd", "0", 0},
        {"0", Type, "250abc", "200", -200}, {"0", Type, "abc", "0", 0}, {"0", Type, "2.", "2", -2},
        {"0", Type, "-", "0", 0},
    };
    // clang-format on
    for (const auto& [before, how, entered, shown, value] : cases) {
        qt_user::pasteOver(box(9), before);
        how == Paste ? qt_user::pasteOver(box(9), QString::fromUtf8(entered))
                     : typeOver(9, entered);
        EXPECT_EQ(std::pair(box(9).text(), slider(9).value()), std::pair(QString(shown), value))
            << '"' << entered << '"';
    }
}

TEST_F(Editing, TheCaretStaysWhereTheUserIsTyping) {
    // The box's text before and the caret in it, what is typed, then the box and the caret.
    // clang-format off
    const std::tuple<const char*, int, const char*, const char*, int> cases[] = {
        {"12", 0, "0", "12", 0}, {"12", 0, "1", "112", 1}, {"15", 1, "1", "115", 2},
        {"25", 1, "1", "200", 3}, {"152", 3, "0", "200", 3}, {"3", 1, ".", "3", 1},
        {"5", 0, "-", "-5", 1}, {"152", 1, "\b", "52", 0},
    };
    // clang-format on
    for (const auto& [before, caret, typed, shown, caretAfter] : cases) {
        typeOver(2, before);
        box(2).setCursorPosition(caret);
        QTest::keyClicks(&box(2), typed);
        EXPECT_EQ(std::tuple(box(2).text(), box(2).cursorPosition(), slider(2).value()),
                  std::tuple(QString(shown), caretAfter, -QString(shown).toInt()))
            << before << " + " << typed;
    }
}

// An arrow moves the amplitude by 1, a click in the track by 10; up is positive.
TEST_F(Editing, SliderArrowsTrackAndThumbMoveTheAmplitude) {
    for (const auto& [part, shown] : {std::pair{QStyle::SC_ScrollBarSubLine, "1"},
                                      {QStyle::SC_ScrollBarAddPage, "-9"},
                                      {QStyle::SC_ScrollBarAddLine, "-10"},
                                      {QStyle::SC_ScrollBarSubPage, "0"}}) {
        QTest::mouseClick(&slider(0), Qt::LeftButton, {}, qt_user::centreOf(slider(0), part));
        EXPECT_EQ(box(0).text(), shown);
    }
    qt_user::dragThumbDown(slider(5), 30, [] {});
    EXPECT_GT(slider(5).value(), 0);
    EXPECT_EQ(box(5).text(), QString::number(-slider(5).value()));
}

// Also the display: within a tick it shows the trace of the texts, clipped at its edges (the
// last two rows, pasted, go past them).
TEST_F(Editing, PresetButtonsClearEveryEditAndLoadTheirWaveform) {
    // clang-format off
    const std::pair<int, QString> presets[] = {
        {0, "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0"}, {1, "100 0 30 0 14 0 7 0 3 0 1 0 0 0 0 0 0"},
        {2, "-77 -37 -24 -17 -9 -6 -1 -1 -1 -1 0 0 0 0 0 0 0"},
        {3, "77 37 24 17 9 6 1 1 1 1 0 0 0 0 0 0 0"}, {4, "100 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0"},
        {5, "100 0 0 0 6 0 0 0 2 0 0 0 0 0 0 0 0"}, {-1, "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 -150"},
        {-1, "200 -200 0 13 -7 0 0 0 0 0 0 0 0 0 0 0 0"}};
    // clang-format on
    for (const auto& [index, expected] : presets) {
        typeOver(12, "55");
        typeOver(1, "12");
        for (int click = 0; click < 2; ++click) {
            if (index < 0) {
                QApplication::clipboard()->setText(expected);
                menuItem("Paste amplitudes").trigger();
            } else {
                QTest::mouseClick(&button(index), Qt::LeftButton);
            }
            EXPECT_EQ(texts(), expected) << "preset " << index << ", click " << click;
            for (int i = 0; const QString& text : expected.split(' ')) {
                EXPECT_EQ(slider(i++).value(), -text.toInt()) << "preset " << index;
            }
        }
        if (index > 0) {
            EXPECT_EQ(box(0).cursorPosition(), 0) << "a narrow box shows its leading digits";
        }
        EXPECT_TRUE(testing_support::eventually([&] { return pictureFault().empty(); }, 2000))
            << pictureFault();
    }
}

} // namespace
