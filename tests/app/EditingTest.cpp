// Editing amplitudes on the real window, with real keys, mouse and clipboard.
#include "tests/support/Form1Fixture.h"
#include "tests/support/LiteralSynthesis.h"
#include "tests/support/QtUser.h"

namespace {

// What is wrong with the display's picture of a trace, if anything. A rasteriser may put a
// steep segment's pixels in the neighbouring column, so each column may hold green within a
// pixel of the segments either side of it, and every segment on the surface must have ink in
// one of its two columns; yellow only on the zero line, the rest black.
std::string traceFault(const QImage& picture, const std::array<double, 512>& trace) {
    const auto point = [&trace](int x) {
        return x <= 0 ? 128.0 : trace[static_cast<std::size_t>(std::min(x, 512) - 1)];
    };
    std::array<bool, 513> inked{};
    for (int x = 0; x < 512; ++x) {
        const auto [top, bottom] =
            std::minmax({point(x - 1), point(x), point(x + 1), point(x + 2)});
        for (int y = 0; y < 256; ++y) {
            const QRgb c = picture.pixel(x, y);
            inked[std::size_t(x)] = inked[std::size_t(x)] || c == qRgb(0, 255, 0);
            if (c == qRgb(0, 255, 0) ? y + 2 < top || y > bottom + 1
                                     : c != qRgb(0, 0, 0) && (c != qRgb(255, 255, 0) || y != 128)) {
                return "wrong colour at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        }
    }
    for (int x = 0; x < 512; ++x) {
        const auto [top, bottom] = std::minmax({point(x), point(x + 1)});
        if (top >= 0.0 && bottom < 256.0 && !inked[std::size_t(x)] && !inked[std::size_t(x) + 1]) {
            return "no ink for the segment from x = " + std::to_string(x);
        }
    }
    return {};
}

using Editing = testing_support::Form1Fixture;

TEST_F(Editing, EveryEntrySettlesOnItsCanonicalClampedFormWithTheSliderFollowing) {
    enum How { Paste, Type };
    struct Case {
        const char* before;
        How how;
        const char* entered;
        const char* shown;
        int slider;
    };
    // clang-format off
    const Case cases[] = {
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
    for (const Case& c : cases) {
        qt_user::pasteOver(box(9), c.before);
        if (c.how == Paste) {
            qt_user::pasteOver(box(9), QString::fromUtf8(c.entered));
        } else {
            typeOver(9, c.entered);
        }
        EXPECT_EQ(box(9).text(), c.shown) << '"' << c.entered << '"';
        EXPECT_EQ(slider(9).value(), c.slider) << '"' << c.entered << '"';
    }
    qt_user::pasteOver(box(8), QString(1 << 20, QChar('9')));
    EXPECT_EQ(box(8).text(), "200");
    qt_user::pasteOver(box(8), QString(1 << 20, QChar('q')));
    EXPECT_EQ(box(8).text(), "0");
}

TEST_F(Editing, TheCaretStaysWhereTheUserIsTyping) {
    struct Case {
        const char* before;
        int caret;
        const char* typed;
        const char* shown;
        int caretAfter;
    };
    // clang-format off
    const Case cases[] = {
        {"12", 0, "0", "12", 0}, {"12", 0, "1", "112", 1}, {"15", 1, "1", "115", 2},
        {"25", 1, "1", "200", 3}, {"152", 3, "0", "200", 3}, {"3", 1, ".", "3", 1},
        {"5", 0, "-", "-5", 1}, {"152", 1, "\b", "52", 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        typeOver(2, c.before);
        box(2).setCursorPosition(c.caret);
        QTest::keyClicks(&box(2), c.typed);
        EXPECT_EQ(box(2).text(), c.shown) << c.before << " + " << c.typed;
        EXPECT_EQ(box(2).cursorPosition(), c.caretAfter) << c.before << " + " << c.typed;
        EXPECT_EQ(slider(2).value(), -box(2).text().toInt());
    }
}

TEST_F(Editing, SliderArrowsTrackKeysAndThumbMoveTheAmplitude) {
    // clang-format off
    const std::pair<QStyle::SubControl, const char*> clicks[] = {
        {QStyle::SC_ScrollBarSubLine, "1"}, {QStyle::SC_ScrollBarAddPage, "-9"},
        {QStyle::SC_ScrollBarAddLine, "-10"}, {QStyle::SC_ScrollBarSubPage, "0"}};
    const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_Up, "1"}, {Qt::Key_PageUp, "11"}, {Qt::Key_PageDown, "1"}, {Qt::Key_Down, "0"},
        {Qt::Key_End, "-200"}, {Qt::Key_Home, "200"}};
    // clang-format on
    for (const auto& [part, shown] : clicks) {
        qt_user::clickPart(slider(0), part);
        EXPECT_EQ(box(0).text(), shown);
    }
    slider(0).setFocus();
    for (const auto& [key, shown] : keys) {
        QTest::keyClick(&slider(0), key);
        EXPECT_EQ(box(0).text(), shown);
    }
    QString whileHeld;
    qt_user::dragThumbDown(slider(5), 30, [&] { whileHeld = box(5).text(); });
    EXPECT_EQ(whileHeld, "0") << "a drag reports on release";
    EXPECT_GT(slider(5).value(), 0);
    EXPECT_EQ(box(5).text(), QString::number(-slider(5).value()));
}

// Also the display: within a tick it shows the trace of the texts, clipped at its edges.
TEST_F(Editing, PresetButtonsClearEveryEditAndLoadTheirWaveform) {
    const std::pair<int, Texts> presets[] = {
        {0, leading({})},
        {1, leading({"100", "0", "30", "0", "14", "0", "7", "0", "3", "0", "1"})},
        {2, leading({"-77", "-37", "-24", "-17", "-9", "-6", "-1", "-1", "-1", "-1"})},
        {3, leading({"77", "37", "24", "17", "9", "6", "1", "1", "1", "1"})},
        {4, leading({"100"})},
        {5, leading({"100", "0", "0", "0", "6", "0", "0", "0", "2"})},
        {-1, leading({"200", "-200", "0", "13", "-7"})}, // typed, past both edges
        {-1, leading({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0",
                      "0", "-150"})},
    };
    for (const auto& [index, expected] : presets) {
        typeOver(12, "55");
        typeOver(1, "12");
        for (int click = 0; click < 2; ++click) {
            if (index < 0) {
                for (int i = 0; i < 17; ++i) {
                    qt_user::pasteOver(box(i), QString::fromStdString(expected[i]));
                }
            } else {
                QTest::mouseClick(&button(index), Qt::LeftButton);
            }
            EXPECT_EQ(texts(), expected) << "preset " << index << ", click " << click;
            for (std::size_t i = 0; i < 17; ++i) {
                EXPECT_EQ(values()[i], -std::stoi(expected[i])) << "preset " << index;
            }
        }
        if (index > 0) {
            EXPECT_EQ(box(0).cursorPosition(), 0) << "a narrow box shows its leading digits";
        }
        const auto trace = testing_support::literalTrace(expected);
        const auto fault = [&] { return traceFault(oscil().image(), trace); };
        EXPECT_TRUE(testing_support::eventually([&] { return fault().empty(); }, 2000)) << fault();
    }
}

} // namespace
