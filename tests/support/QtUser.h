#pragma once

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <functional>

// What a person does to the real widgets, through real input events.
namespace qt_user {

// Select all, then paste from the clipboard: one change with the whole new text.
inline void pasteOver(QLineEdit& edit, const QString& text) {
    edit.setFocus();
    QApplication::clipboard()->setText(text);
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
}

// The middle of one part of the bar: an arrow (SC_ScrollBarSubLine, SC_ScrollBarAddLine), the
// track on either side of the thumb (SC_ScrollBarSubPage, SC_ScrollBarAddPage) or the thumb.
inline QPoint centreOf(QScrollBar& bar, QStyle::SubControl part) {
    struct Options : QScrollBar { // the bar describes itself to its style only
        using QScrollBar::initStyleOption;
    };
    QStyleOptionSlider option;
    (bar.*&Options::initStyleOption)(&option);
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar).center();
}

// Presses the thumb, moves it down by some pixels, calls whileHeld, releases.
inline void dragThumbDown(QScrollBar& bar, int pixels, const std::function<void()>& whileHeld) {
    const QPoint grab = centreOf(bar, QStyle::SC_ScrollBarSlider);
    const QPoint drop = grab + QPoint(0, pixels);
    QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, grab);
    QMouseEvent move(QEvent::MouseMove, drop, bar.mapToGlobal(drop), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&bar, &move);
    whileHeld();
    QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, drop);
}

} // namespace qt_user
