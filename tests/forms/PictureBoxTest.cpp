#include "forms/qt/PictureBox.h"

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return QObject::eventFilter(watched, event);
    }
};

class PictureBoxTest : public testing::Test {
protected:
    PictureBoxTest() {
        picture.installEventFilter(&counter);
        picture.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&picture));
        settle();
    }
    void drawFrame(float height) {
        picture.cls();
        picture.line({0, 5}, {32, 5}, forms::yellow);
        picture.line({0, height}, {32, height}, forms::green);
    }
    void settle() {
        QApplication::processEvents();
        QApplication::processEvents();
        counter.paints = 0;
    }

    forms::PictureBox picture{QSize(32, 16), forms::black};
    PaintCounter counter;
};

TEST_F(PictureBoxTest, ARepeatedFrameIsNeitherRedrawnNorRepainted) {
    drawFrame(3);
    QTRY_COMPARE(counter.paints, 1);
    settle();

    drawFrame(3);
    drawFrame(3);
    QApplication::processEvents();
    QTest::qWait(50);
    EXPECT_EQ(counter.paints, 0);
}

TEST_F(PictureBoxTest, AChangedFrameIsRepaintedOnceWithTheNewPicture) {
    drawFrame(3);
    QTRY_COMPARE(counter.paints, 1);
    settle();

    drawFrame(12);
    QTRY_COMPARE(counter.paints, 1);
    EXPECT_EQ(picture.image().pixel(1, 12), qRgb(0, 255, 0));
    EXPECT_EQ(picture.image().pixel(1, 3), qRgb(0, 0, 0)) << "the old stroke is gone";
    EXPECT_EQ(picture.image().pixel(1, 5), qRgb(255, 255, 0));
}

TEST_F(PictureBoxTest, StrokesAddedWithoutAClearKeepThePictureBeneath) {
    drawFrame(3);
    (void)picture.image();
    picture.line({0, 10}, {32, 10}, forms::yellow);
    EXPECT_EQ(picture.image().pixel(1, 3), qRgb(0, 255, 0));
    EXPECT_EQ(picture.image().pixel(1, 10), qRgb(255, 255, 0));
    picture.cls();
    EXPECT_EQ(picture.image().pixel(1, 10), qRgb(0, 0, 0));
}

} // namespace
