#pragma once

#include "app/Form1.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gmock/gmock.h>

namespace testing_support {

// Waits, turning the event loop, until the condition holds; a failure if it never does. (The
// toolkit's own QTRY macros only return from the test on failure, which passes it.)
inline testing::AssertionResult eventually(const std::function<bool()>& condition, int ms = 5000) {
    if (QTest::qWaitFor(condition, ms)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "not so within " << ms << " ms";
}

// An item of a menu, in a submenu or not; null when there is none.
inline QAction* menuItemIn(const QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        QAction* found = action->text() == text      ? action
                         : action->menu() != nullptr ? menuItemIn(*action->menu(), text)
                                                     : nullptr;
        if (found != nullptr) {
            return found;
        }
    }
    return nullptr;
}

// The real window, shown and active on the offscreen platform. A run-time error fails the
// test instead of ending the program.
class Form1Fixture : public testing::Test {
protected:
    using Texts = std::array<std::string, 17>;
    // The given texts first, "0" in the other boxes.
    static Texts leading(std::initializer_list<const char*> texts) {
        Texts result;
        result.fill("0");
        std::copy(texts.begin(), texts.end(), result.begin());
        return result;
    }

    explicit Form1Fixture(std::unique_ptr<audio::SoundOutput> sound = nullptr)
        : window([](const forms::RuntimeError& error) { ADD_FAILURE() << reportText(error); },
                 std::move(sound)) {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <class T> T& child(const QString& name) {
        auto* widget = window.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return *widget;
    }
    QLineEdit& box(int i) { return child<QLineEdit>(QStringLiteral("harmonika_%1").arg(i)); }
    QScrollBar& slider(int i) { return child<QScrollBar>(QStringLiteral("VScroll1_%1").arg(i)); }
    QPushButton& button(int n) { return child<QPushButton>(QStringLiteral("Command1_%1").arg(n)); }
    forms::PictureBox& oscil() { return child<forms::PictureBox>(QStringLiteral("oscil")); }
    // An item of the display's menu, in a submenu or not.
    QAction& menuItem(const QString& text) {
        QAction* found = menuItemIn(child<QMenu>(QStringLiteral("displayMenu")), text);
        return found != nullptr ? *found : throw std::runtime_error(text.toStdString());
    }

    // Clicks into the box, selects all of it and types over it.
    void typeOver(int i, const QString& keys) {
        box(i).setFocus();
        box(i).selectAll();
        QTest::keyClicks(&box(i), keys);
    }
    // A stroke with the left button through (x, y(x)) for x = first .. last, in display pixels.
    void drawOnDisplay(int first, int last, const std::function<double(int)>& y) {
        const auto at = [&y](int x) { return QPointF(x, y(x)); };
        QTest::mousePress(&oscil(), Qt::LeftButton, {}, at(first).toPoint());
        for (int x = first; x <= last; ++x) {
            QMouseEvent move(QEvent::MouseMove, at(x), oscil().mapToGlobal(at(x)), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&oscil(), &move);
        }
        QTest::mouseRelease(&oscil(), Qt::LeftButton, {}, at(last).toPoint());
    }
    QRgb pixel(int x, int y) { return oscil().image().pixel(x, y); }
    // Something of each slot, in order.
    template <class Of> auto eachSlot(Of of) {
        std::array<decltype(of(0)), 17> result{};
        for (int i = 0; i < 17; ++i) {
            result[static_cast<std::size_t>(i)] = of(i);
        }
        return result;
    }
    Texts texts() {
        return eachSlot([this](int i) { return box(i).text().toStdString(); });
    }
    std::array<int, 17> values() {
        return eachSlot([this](int i) { return slider(i).value(); });
    }
    std::array<double, 17> numbers() {
        return eachSlot([this](int i) { return box(i).text().toDouble(); });
    }
    // The number of the display's pixels of one colour.
    int count(QRgb colour) {
        const QImage& image = oscil().image();
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        return int(std::count(pixels, pixels + image.width() * image.height(), colour));
    }

    app::Form1 window;
};

} // namespace testing_support
