// The notification rules the logic relies on, checked against both implementations of the
// controls: what passes here on the in-memory controls means the same on the widgets.
#include "forms/RuntimeError.h"
#include "forms/memory/MemoryScrollBar.h"
#include "forms/memory/MemoryTextBox.h"
#include "forms/qt/QtScrollBar.h"
#include "forms/qt/QtTextBox.h"
#include "tests/support/QtUser.h"

#include <gtest/gtest.h>

namespace {

// Each rig drags its slider's thumb downwards, calling whileHeld before releasing it.
struct MemoryRig {
    forms::MemoryTextBox box{"0"};
    forms::MemoryScrollBar slider{-200, 200, 0};

    void dragSlider(const std::function<void()>& whileHeld) {
        whileHeld();
        slider.userMoveTo(100);
    }
};

class QtRig {
    forms::ErrorBoundary boundary_{[](const forms::RuntimeError& e) { ADD_FAILURE() << e.what(); }};
    QLineEdit edit_{QStringLiteral("0")};
    QScrollBar bar_{Qt::Vertical};

public:
    forms::QtTextBox box{edit_, boundary_};
    forms::QtScrollBar slider{bar_, boundary_};

    QtRig() {
        bar_.setRange(-200, 200);
        bar_.resize(17, 129);
    }
    void dragSlider(const std::function<void()>& whileHeld) {
        qt_user::dragThumbDown(bar_, 30, whileHeld);
    }
};

template <class Rig> class ControlContract : public testing::Test {
protected:
    Rig rig;
};

using Rigs = testing::Types<MemoryRig, QtRig>;
TYPED_TEST_SUITE(ControlContract, Rigs);

// Assigning a different text or value runs the handler before the assignment returns, from the
// handler itself too (nesting, then settling); the same one runs nothing; a value out of range
// is refused; a thumb drag reports once, on release.
TYPED_TEST(ControlContract, ChangesRunTheHandlerInsideTheAssignmentAndADragOnRelease) {
    auto& box = this->rig.box;
    auto& slider = this->rig.slider;
    std::vector<std::string> seen;
    box.onChange([&] {
        seen.push_back(box.text());
        if (box.text() == "abc") {
            box.setText("7");
        }
    });
    slider.onChange([&] { seen.push_back(std::to_string(slider.value())); });
    for (const char* text : {"12", "12", "abc"}) {
        box.setText(text);
        seen.emplace_back("returned");
    }
    for (const int value : {-37, -37, 201, -201}) {
        try {
            slider.setValue(static_cast<std::int16_t>(value));
            seen.emplace_back("returned");
        } catch (const forms::RuntimeError& error) {
            seen.push_back("refused " + std::to_string(error.number()));
        }
    }
    this->rig.dragSlider([&] { seen.emplace_back("held"); });
    ASSERT_EQ(seen.size(), 13U);
    EXPECT_EQ(
        std::vector(seen.begin(), seen.end() - 1),
        (std::vector<std::string>{"12", "returned", "returned", "abc", "7", "returned", "-37",
                                  "returned", "returned", "refused 380", "refused 380", "held"}));
    EXPECT_GT(std::stoi(seen.back()), -37);
}

} // namespace
