#include "QtUser.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>

namespace qt_user {
namespace {

QRect partRect(QScrollBar& bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar);
}

} // namespace

void pasteOver(QLineEdit& edit, const QString& text) {
    edit.setFocus();
    QApplication::clipboard()->setText(text);
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
}

void dragThumbDown(QScrollBar& bar, int pixels, const std::function<void()>& whileHeld) {
    const QPoint grab = partRect(bar, QStyle::SC_ScrollBarSlider).center();
    const QPoint drop = grab + QPoint(0, pixels);
    QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, grab);
    QMouseEvent move(QEvent::MouseMove, drop, bar.mapToGlobal(drop), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&bar, &move);
    whileHeld();
    QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, drop);
}

void clickPart(QScrollBar& bar, QStyle::SubControl part) {
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, partRect(bar, part).center());
}

} // namespace qt_user
