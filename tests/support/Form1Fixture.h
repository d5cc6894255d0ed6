#pragma once

#include "app/MainWindow.h"
#include "tests/support/LiteralSynthesis.h"

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gmock/gmock.h>
#include <optional>

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace testing_support {

// Waits, turning the event loop, until the condition holds; a failure if it never does. (The
// toolkit's own QTRY macros only return from the test on failure, which passes it.)
inline testing::AssertionResult eventually(const std::function<bool()>& condition, int ms = 5000) {
    return QTest::qWaitFor(condition, ms)
               ? testing::AssertionSuccess()
               : testing::AssertionFailure() << "not within " << ms << " ms";
}

// The real window, shown and active on the offscreen platform. A run-time error fails the
// test instead of ending the program.
class Form1Fixture : public testing::Test {
protected:
    explicit Form1Fixture(std::unique_ptr<audio::SoundOutput> sound = nullptr) {
        open(std::move(sound));
    }
    void open(std::unique_ptr<audio::SoundOutput> sound, game::Random random = {}) {
        program.emplace(
            [](const forms::RuntimeError& error) { ADD_FAILURE() << reportText(error); },
            std::move(sound), std::move(random));
        window = &program->window();
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&*window));
    }

    template <class T> T& child(const QString& name) {
        auto* widget = window->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return *widget;
    }
    QLineEdit& box(int i) { return child<QLineEdit>(QStringLiteral("harmonika_%1").arg(i)); }
    QScrollBar& slider(int i) { return child<QScrollBar>(QStringLiteral("VScroll1_%1").arg(i)); }
    QPushButton& button(int n) { return child<QPushButton>(QStringLiteral("Command1_%1").arg(n)); }
    forms::PictureBox& oscil() { return child<forms::PictureBox>(QStringLiteral("oscil")); }
    // An item of the display's menu, in a submenu or not.
    QAction& menuItem(const QString& text) {
        QList<QAction*> items = child<QMenu>(QStringLiteral("displayMenu")).actions();
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (items[i]->menu() != nullptr) {
                items += items[i]->menu()->actions();
            }
            if (items[i]->text() == text) {
                return *items[i];
            }
        }
        throw std::runtime_error(text.toStdString());
    }

    // Keys typed with the display focused: its own shortcuts.
    void onDisplay(const QString& keys) {
        oscil().setFocus();
        QTest::keyClicks(&oscil(), keys);
    }
    QString description() {
        return QAccessible::queryAccessibleInterface(&oscil())->text(QAccessible::Description);
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
    // Something of each slot, in order.
    template <class Of> auto eachSlot(Of of) {
        std::array<decltype(of(0)), 17> result{};
        for (int i = 0; i < 17; ++i) {
            result[static_cast<std::size_t>(i)] = of(i);
        }
        return result;
    }
    // The 17 box texts as one line, as "Copy amplitudes" writes them.
    QString texts() {
        const auto all = eachSlot([this](int i) { return box(i).text(); });
        return QStringList(all.begin(), all.end()).join(' ');
    }
    std::array<double, 17> numbers() {
        return eachSlot([this](int i) { return box(i).text().toDouble(); });
    }
    // The trace of the boxes' texts, worked out literally.
    std::array<double, 512> trace() {
        return literalTrace(eachSlot([this](int i) { return box(i).text().toStdString(); }));
    }
    // The number of the display's pixels of one colour.
    int count(QRgb colour) {
        const QImage& image = oscil().image();
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        return int(std::count(pixels, pixels + image.width() * image.height(), colour));
    }

    // What is wrong with the display's picture of the boxes' trace, if anything. A rasteriser may
    // put a steep segment's pixels in the neighbouring column, so each column may hold green within
    // a pixel of the segments either side of it, and every segment on the surface must have ink in
    // one of its two columns; yellow only on the zero line, the rest black.
    std::string pictureFault() {
        const QImage& picture = oscil().image();
        const auto trace = this->trace();
        const auto point = [&trace](int x) { return x <= 0 ? 128.0 : trace[std::min(x, 512) - 1]; };
        std::array<bool, 513> inked{};
        for (int x = 0; x < 512; ++x) {
            const auto [top, bottom] =
                std::minmax({point(x - 1), point(x), point(x + 1), point(x + 2)});
            for (int y = 0; y < 256; ++y) {
                const QRgb c = picture.pixel(x, y);
                inked[x] = inked[x] || c == qRgb(0, 255, 0);
                if (c == qRgb(0, 255, 0)
                        ? y + 2 < top || y > bottom + 1
                        : c != qRgb(0, 0, 0) && (c != qRgb(255, 255, 0) || y != 128)) {
                    return "wrong colour at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
                }
            }
        }
        for (int x = 0; x < 512; ++x) {
            const auto [top, bottom] = std::minmax({point(x), point(x + 1)});
            if (top >= 0.0 && bottom < 256.0 && !inked[x] && !inked[x + 1]) {
                return "no ink for the segment from x = " + std::to_string(x);
            }
        }
        return {};
    }

    // Closed early only by tests of closing.
    void close() {
        window = nullptr;
        program.reset();
    }

    std::optional<app::Program> program;
    app::Form1* window = nullptr;
};

} // namespace testing_support
