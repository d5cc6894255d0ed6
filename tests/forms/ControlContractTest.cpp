// The behaviour the logic relies on, checked against both implementations of the controls:
// whatever passes here on the in-memory controls means the same on the widgets.
#include "forms/RuntimeError.h"
#include "forms/memory/MemoryButton.h"
#include "forms/memory/MemoryDisplay.h"
#include "forms/memory/MemoryScrollBar.h"
#include "forms/memory/MemoryTextBox.h"
#include "forms/memory/MemoryTimer.h"
#include "forms/qt/PictureBox.h"
#include "forms/qt/QtButton.h"
#include "forms/qt/QtScrollBar.h"
#include "forms/qt/QtTextBox.h"
#include "forms/qt/QtTimer.h"
#include "tests/support/QtUser.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <limits>

namespace {

using forms::Color;

constexpr int displayWidth = 64;
constexpr int displayHeight = 32;

enum class SliderKey { Up, Down, PageUp, PageDown };

class MemoryRig {
public:
    forms::MemoryTextBox box{"0"};
    forms::MemoryScrollBar slider{-200, 200, 0};
    forms::MemoryButton button;
    forms::MemoryTimer timer{100};
    forms::MemoryDisplay display{displayWidth, displayHeight, forms::black};

    void userTypesAt(int position, const std::string& text) {
        box.userInsert(std::size_t(position), text);
    }
    void userDeletesAt(int position, int count) {
        box.userErase(std::size_t(position), std::size_t(count));
    }
    void userPastesOverAll(const std::string& text) { box.userReplaceAll(text); }
    void userDragsThumbTo(int value, const std::function<void()>& whileHeld) {
        whileHeld();
        slider.userMoveTo(value);
    }
    void userPresses(SliderKey key) {
        constexpr int steps[] = {-1, 1, -10, 10};
        slider.userStep(steps[static_cast<int>(key)]);
    }
    void userClicksButton() { button.click(); }
    void waitUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 100 && !done(); ++i) {
            timer.elapse(100);
        }
    }
    Color pixel(int x, int y) { return display.pixel(x, y); }
};

class QtRig {
    // Declared first: the adapters below are built on them.
    forms::ErrorBoundary boundary_{
        [](const forms::RuntimeError& error) { ADD_FAILURE() << error.what(); }};
    QWidget host_;
    QLineEdit* edit_ = new QLineEdit(QStringLiteral("0"), &host_);
    QScrollBar* bar_ = new QScrollBar(Qt::Vertical, &host_);
    QPushButton* push_ = new QPushButton(QStringLiteral("Go"), &host_);
    forms::PictureBox* picture_ =
        new forms::PictureBox(QSize(displayWidth, displayHeight), forms::black, &host_);
    QTimer timer_;

public:
    QtRig() {
        host_.resize(300, 200);
        edit_->setGeometry(0, 0, 80, 24);
        bar_->setGeometry(100, 0, 17, 129);
        bar_->setRange(-200, 200);
        bar_->setFocusPolicy(Qt::StrongFocus);
        push_->setGeometry(130, 0, 60, 24);
        picture_->move(0, 140);
        timer_.setInterval(10);
        timer_.start();
        host_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host_));
    }

    forms::QtTextBox box{*edit_, boundary_};
    forms::QtScrollBar slider{*bar_, boundary_};
    forms::QtButton button{*push_, boundary_};
    forms::QtTimer timer{timer_, boundary_};
    forms::PictureBox& display = *picture_;

    void userTypesAt(int position, const std::string& text) {
        qt_user::typeAt(*edit_, position, QString::fromStdString(text));
    }
    void userDeletesAt(int position, int count) { qt_user::eraseAt(*edit_, position, count); }
    void userPastesOverAll(const std::string& text) {
        qt_user::pasteOver(*edit_, QString::fromStdString(text));
    }
    void userDragsThumbTo(int value, const std::function<void()>& whileHeld) {
        qt_user::dragThumbTo(*bar_, value, whileHeld);
    }
    void userPresses(SliderKey key) {
        constexpr int keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown};
        bar_->setFocus();
        qt_user::pressKey(*bar_, keys[static_cast<int>(key)]);
    }
    void userClicksButton() { QTest::mouseClick(push_, Qt::LeftButton); }
    void waitUntil(const std::function<bool()>& done) { (void)QTest::qWaitFor(done, 5000); }
    Color pixel(int x, int y) {
        const QRgb rgb = picture_->image().pixel(x, y);
        return {std::uint8_t(qRed(rgb)), std::uint8_t(qGreen(rgb)), std::uint8_t(qBlue(rgb))};
    }
};

template <class Rig> class ControlContract : public testing::Test {
protected:
    ControlContract() { rig.slider.setValue(0); }
    Rig rig;
};

using Rigs = testing::Types<MemoryRig, QtRig>;
class RigNames {
public:
    template <class T> static std::string GetName(int) {
        return std::is_same_v<T, MemoryRig> ? "Memory" : "Qt";
    }
};
TYPED_TEST_SUITE(ControlContract, Rigs, RigNames);

TYPED_TEST(ControlContract, BoxAssignmentRunsTheChangeHandlerInsideItOnlyWhenTheTextDiffers) {
    auto& box = this->rig.box;
    bool assigning = false;
    std::vector<std::pair<std::string, bool>> seen;
    box.onChange([&] { seen.emplace_back(box.text(), assigning); });

    assigning = true;
    box.setText("12");
    box.setText("12");
    assigning = false;

    ASSERT_EQ(seen.size(), 1U);
    EXPECT_EQ(seen[0].first, "12");
    EXPECT_TRUE(seen[0].second) << "the handler ran after the assignment returned";
    EXPECT_EQ(box.text(), "12");
}

TYPED_TEST(ControlContract, BoxAssignmentFromItsOwnHandlerNestsAndSettles) {
    auto& box = this->rig.box;
    int depth = 0;
    int deepest = 0;
    int runs = 0;
    box.onChange([&] {
        ++runs;
        deepest = std::max(deepest, ++depth);
        if (box.text() != "7") {
            box.setText("7");
        }
        --depth;
    });
    box.setText("abc");
    EXPECT_EQ(box.text(), "7");
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(deepest, 2);
}

TYPED_TEST(ControlContract, BoxKeepsAnyUtf8Text) {
    const std::string text = "\xc4\x84\xc5\xbeuolas \xe2\x82\xac 1,5";
    this->rig.box.setText(text);
    EXPECT_EQ(this->rig.box.text(), text);
}

TYPED_TEST(ControlContract, BoxUserEditsRunTheChangeHandlerOncePerAlteringEdit) {
    auto& box = this->rig.box;
    std::vector<std::string> seen;
    box.onChange([&] { seen.push_back(box.text()); });

    this->rig.userTypesAt(1, "5");
    this->rig.userTypesAt(0, "-");
    this->rig.userDeletesAt(1, 1);
    this->rig.userPastesOverAll("42");
    this->rig.userPastesOverAll("42");

    EXPECT_EQ(seen, (std::vector<std::string>{"05", "-05", "-5", "42"}));
}

TYPED_TEST(ControlContract, SliderAssignmentRunsTheChangeHandlerInsideItOnlyWhenTheValueDiffers) {
    auto& slider = this->rig.slider;
    bool assigning = false;
    std::vector<std::pair<int, bool>> seen;
    slider.onChange([&] { seen.emplace_back(slider.value(), assigning); });

    assigning = true;
    slider.setValue(-37);
    slider.setValue(-37);
    assigning = false;

    ASSERT_EQ(seen.size(), 1U);
    EXPECT_EQ(seen[0], std::make_pair(-37, true));
}

TYPED_TEST(ControlContract, SliderRefusesValuesOutsideItsRange) {
    auto& slider = this->rig.slider;
    int runs = 0;
    slider.onChange([&] { ++runs; });
    for (const int value : {201, -201, 32767, -32768}) {
        try {
            slider.setValue(static_cast<std::int16_t>(value));
            ADD_FAILURE() << value << " was accepted";
        } catch (const forms::RuntimeError& error) {
            EXPECT_EQ(error.number(), 380);
        }
    }
    slider.setValue(200);
    slider.setValue(-200);
    EXPECT_EQ(slider.value(), -200);
    EXPECT_EQ(runs, 2);
}

TYPED_TEST(ControlContract, SliderStepsReportAtOnceAndStopAtTheEnds) {
    auto& slider = this->rig.slider;
    std::vector<int> seen;
    slider.onChange([&] { seen.push_back(slider.value()); });

    this->rig.userPresses(SliderKey::Up);
    this->rig.userPresses(SliderKey::PageDown);
    this->rig.userPresses(SliderKey::PageUp);
    this->rig.userPresses(SliderKey::Down);
    slider.setValue(-200);
    this->rig.userPresses(SliderKey::Up);
    this->rig.userPresses(SliderKey::PageUp);

    EXPECT_EQ(seen, (std::vector<int>{-1, 9, -1, 0, -200}));
}

TYPED_TEST(ControlContract, SliderThumbDragReportsOnceOnRelease) {
    auto& slider = this->rig.slider;
    std::vector<int> seen;
    slider.onChange([&] { seen.push_back(slider.value()); });

    std::size_t seenWhileHeld = 99;
    this->rig.userDragsThumbTo(100, [&] { seenWhileHeld = seen.size(); });

    EXPECT_EQ(seenWhileHeld, 0U);
    ASSERT_EQ(seen.size(), 1U);
    EXPECT_EQ(seen[0], slider.value());
    EXPECT_NEAR(slider.value(), 100, 5);
}

TYPED_TEST(ControlContract, ButtonClickRunsTheClickHandler) {
    int clicks = 0;
    this->rig.button.onClick([&] { ++clicks; });
    this->rig.userClicksButton();
    this->rig.userClicksButton();
    EXPECT_EQ(clicks, 2);
}

TYPED_TEST(ControlContract, TimerTicksNeverArriveInsideAnotherHandler) {
    int ticks = 0;
    this->rig.timer.onTick([&] { ++ticks; });
    int ticksWhenHandlerEnded = -1;
    int ticksWhenHandlerStarted = -1;
    this->rig.box.onChange([&] {
        ticksWhenHandlerStarted = ticks;
        // Longer than the timer's interval, without returning to the event loop.
        QElapsedTimer busy;
        busy.start();
        while (busy.elapsed() < 50) {
        }
        ticksWhenHandlerEnded = ticks;
    });

    this->rig.waitUntil([&] { return ticks >= 2; });
    this->rig.box.setText("1");

    EXPECT_GE(ticksWhenHandlerStarted, 2);
    EXPECT_EQ(ticksWhenHandlerEnded, ticksWhenHandlerStarted);
}

TYPED_TEST(ControlContract, DisplayClearsToItsBackgroundAndDrawsOnePixelLines) {
    auto& display = this->rig.display;
    display.line({0, 10}, {64, 10}, forms::yellow);
    display.line({20.5F, 0}, {20.5F, 32}, forms::green);
    for (int x = 0; x < displayWidth; ++x) {
        if (x != 20) {
            EXPECT_EQ(this->rig.pixel(x, 9), forms::black);
            EXPECT_EQ(this->rig.pixel(x, 10), forms::yellow) << x;
            EXPECT_EQ(this->rig.pixel(x, 11), forms::black);
        }
    }
    for (int y = 0; y < displayHeight; ++y) {
        EXPECT_EQ(this->rig.pixel(20, y), forms::green) << y;
        EXPECT_EQ(this->rig.pixel(19, y), y == 10 ? forms::yellow : forms::black);
    }

    display.cls();
    for (int y = 0; y < displayHeight; ++y) {
        for (int x = 0; x < displayWidth; ++x) {
            ASSERT_EQ(this->rig.pixel(x, y), forms::black);
        }
    }
}

TYPED_TEST(ControlContract, DisplayClipsLinesAtItsEdgesWhateverTheCoordinates) {
    auto& display = this->rig.display;
    const float far = std::numeric_limits<float>::max();
    display.line({-100, -100}, {100, 100}, forms::green);
    display.line({5, -far}, {5, far}, forms::yellow);
    display.line({std::numeric_limits<float>::quiet_NaN(), 0}, {3, 3}, forms::yellow);
    display.line({70, 5}, {90, 30}, forms::yellow);

    for (int i = 0; i < displayHeight; ++i) {
        if (i != 5) {
            EXPECT_EQ(this->rig.pixel(i, i), forms::green) << i;
        }
        EXPECT_EQ(this->rig.pixel(5, i), i == 5 ? this->rig.pixel(5, 5) : forms::yellow) << i;
    }
    EXPECT_EQ(this->rig.pixel(3, 3), forms::green);
    EXPECT_EQ(this->rig.pixel(63, 31), forms::black);
}

} // namespace
