#pragma once

#include "app/Form1.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace testing_support {

// The real window, shown and active on the offscreen platform. A run-time error fails the
// test instead of ending the program.
class Form1Fixture : public testing::Test {
protected:
    Form1Fixture() {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
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

    std::array<std::string, 17> texts() {
        std::array<std::string, 17> result;
        for (int i = 0; i < 17; ++i) {
            result[static_cast<std::size_t>(i)] = box(i).text().toStdString();
        }
        return result;
    }
    std::array<int, 17> values() {
        std::array<int, 17> result{};
        for (int i = 0; i < 17; ++i) {
            result[static_cast<std::size_t>(i)] = slider(i).value();
        }
        return result;
    }

    app::Form1 window{
        [](const forms::RuntimeError& error) { ADD_FAILURE() << forms::reportText(error); }};
};

} // namespace testing_support
