// The notification rules the logic relies on, checked against both implementations of the
// controls: what passes here on the in-memory controls means the same on the widgets.
#include "forms/RuntimeError.h"
#include "forms/memory/MemoryScrollBar.h"
#include "forms/memory/MemoryTextBox.h"
#include "forms/qt/QtScrollBar.h"
#include "forms/qt/QtTextBox.h"
#include "tests/support/QtUser.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Each rig makes the same user edits: type "5" after the first character, "-" before it,
// delete the second, paste "42" over all twice; and moves the slider: one step down, a page up,
// then a thumb drag downwards, calling whileHeld before releasing it.
struct MemoryRig {
    forms::MemoryTextBox box{"0"};
    forms::MemoryScrollBar slider{-200, 200, 0};

    void userEdits() {
        box.userInsert(1, "5");
        box.userInsert(0, "-");
        box.userErase(1, 1);
        box.userReplaceAll("42");
        box.userReplaceAll("42");
    }
    void userMovesSlider(const std::function<void()>& whileHeld) {
        slider.userStep(1);
        slider.userStep(-10);
        whileHeld();
        slider.userMoveTo(100);
    }
};

class QtRig {
    forms::ErrorBoundary boundary_{
        [](const forms::RuntimeError& error) { ADD_FAILURE() << error.what(); }};
    QWidget host_;
    QLineEdit* edit_ = new QLineEdit(QStringLiteral("0"), &host_);
    QScrollBar* bar_ = new QScrollBar(Qt::Vertical, &host_);

public:
    QtRig() {
        bar_->setGeometry(100, 0, 17, 129);
        bar_->setRange(-200, 200);
        host_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host_));
    }

    forms::QtTextBox box{*edit_, boundary_};
    forms::QtScrollBar slider{*bar_, boundary_};

    void userEdits() {
        edit_->setFocus();
        edit_->setCursorPosition(1);
        QTest::keyClick(edit_, Qt::Key_5);
        edit_->setCursorPosition(0);
        QTest::keyClick(edit_, Qt::Key_Minus);
        QTest::keyClick(edit_, Qt::Key_Delete);
        qt_user::pasteOver(*edit_, "42");
        qt_user::pasteOver(*edit_, "42");
    }
    void userMovesSlider(const std::function<void()>& whileHeld) {
        QTest::keyClick(bar_, Qt::Key_Down);
        QTest::keyClick(bar_, Qt::Key_PageUp);
        qt_user::dragThumbDown(*bar_, 30, whileHeld);
    }
};

template <class Rig> class ControlContract : public testing::Test {
protected:
    Rig rig;
};

using Rigs = testing::Types<MemoryRig, QtRig>;
TYPED_TEST_SUITE(ControlContract, Rigs);

// Assigning a different text runs the handler inside the assignment (from the handler itself
// too, nesting and settling); the same text runs nothing; each user edit that alters the text
// runs it once.
TYPED_TEST(ControlContract, BoxRunsItsHandlerForEveryChangeAndNoOther) {
    auto& box = this->rig.box;
    bool assigning = false;
    std::vector<std::pair<std::string, bool>> seen;
    box.onChange([&] {
        seen.emplace_back(box.text(), assigning);
        if (box.text() == "abc") {
            box.setText("7");
        }
    });
    assigning = true;
    for (const char* text : {"12", "12", "abc", "0"}) {
        box.setText(text);
    }
    assigning = false;
    this->rig.userEdits();
    const std::vector<std::pair<std::string, bool>> expected{
        {"12", true},  {"abc", true},  {"7", true},   {"0", true},
        {"05", false}, {"-05", false}, {"-5", false}, {"42", false}};
    EXPECT_EQ(seen, expected);
}

// The same for values, out-of-range values refused; user steps report at once, a thumb drag
// once, on release.
TYPED_TEST(ControlContract, SliderRunsItsHandlerForEveryChangeAndADragOnlyOnRelease) {
    auto& slider = this->rig.slider;
    std::vector<int> seen;
    slider.onChange([&] { seen.push_back(slider.value()); });
    slider.setValue(-37);
    slider.setValue(-37);
    for (const int value : {201, -201}) {
        try {
            slider.setValue(static_cast<std::int16_t>(value));
            ADD_FAILURE() << value << " was accepted";
        } catch (const forms::RuntimeError& error) {
            EXPECT_EQ(error.number(), 380);
        }
    }
    slider.setValue(0);
    std::size_t seenWhileHeld = 0;
    this->rig.userMovesSlider([&] { seenWhileHeld = seen.size(); });
    ASSERT_EQ(seen.size(), 5U);
    EXPECT_EQ(std::vector<int>(seen.begin(), seen.begin() + 4), (std::vector<int>{-37, 0, 1, -9}));
    EXPECT_EQ(seenWhileHeld, 4U);
    EXPECT_GT(seen.back(), 0);
}

} // namespace
