#include "QtUser.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

namespace qt_user {
namespace {

struct ThumbGeometry {
    QRect thumb;
    int grooveStart;
    int span;
};

ThumbGeometry thumbGeometry(QScrollBar& bar) {
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.subControls = QStyle::SC_None;
    option.activeSubControls = QStyle::SC_None;
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    const QRect groove = bar.style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                     QStyle::SC_ScrollBarGroove, &bar);
    const QRect thumb = bar.style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                    QStyle::SC_ScrollBarSlider, &bar);
    return {thumb, groove.top(), groove.height() - thumb.height()};
}

} // namespace

void typeAt(QLineEdit& edit, int position, const QString& text) {
    edit.setFocus();
    edit.setCursorPosition(position);
    QTest::keyClicks(&edit, text);
}

void eraseAt(QLineEdit& edit, int position, int count) {
    edit.setFocus();
    edit.setCursorPosition(position);
    for (int i = 0; i < count; ++i) {
        QTest::keyClick(&edit, Qt::Key_Delete);
    }
}

void pasteOver(QLineEdit& edit, const QString& text) {
    edit.setFocus();
    QApplication::clipboard()->setText(text);
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
}

void dragThumbTo(QScrollBar& bar, int value, const std::function<void()>& whileHeld) {
    const ThumbGeometry geometry = thumbGeometry(bar);
    const QPoint grab = geometry.thumb.center();
    const int target =
        QStyle::sliderPositionFromValue(bar.minimum(), bar.maximum(), value, geometry.span);
    const int current = geometry.thumb.top() - geometry.grooveStart;
    const QPoint drop = grab + QPoint(0, target - current);
    QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, grab);
    QMouseEvent move(QEvent::MouseMove, drop, bar.mapToGlobal(drop), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&bar, &move);
    if (whileHeld) {
        whileHeld();
    }
    QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, drop);
}

std::vector<int> reachableByDrag(QScrollBar& bar) {
    const ThumbGeometry geometry = thumbGeometry(bar);
    std::vector<int> values;
    for (int position = 0; position <= geometry.span; ++position) {
        const int value =
            QStyle::sliderValueFromPosition(bar.minimum(), bar.maximum(), position, geometry.span);
        if (values.empty() || values.back() != value) {
            values.push_back(value);
        }
    }
    return values;
}

void pressKey(QWidget& widget, int key) {
    QTest::keyClick(&widget, static_cast<Qt::Key>(key));
}

} // namespace qt_user
