#include "PianoView.h"

#include <QMouseEvent>
#include <QPainter>

namespace keyboard {

void paintPiano(QPainter& painter, const QRectF& area, const PianoLayout& layout,
                const Notes& held) {
    const auto rectOf = [&](int note) {
        const auto r = layout.keyRect(note);
        return QRectF(area.x() + r[0], area.y() + r[1], r[2], r[3]);
    };
    const QColor lit(60, 200, 90);
    for (const bool black : {false, true}) {
        for (int note = layout.lowest; note <= layout.highest(); ++note) {
            if (isBlack(note) != black) {
                continue;
            }
            const bool down = note >= 0 && note < 128 && held.test(std::size_t(note));
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(down ? lit : (black ? QColor(20, 20, 20) : QColor(245, 245, 245)));
            painter.drawRect(rectOf(note));
        }
    }
    // Each C named, so that the octave is known at a glance.
    QFont font = painter.font();
    font.setPixelSize(std::max(8, int(area.height() * 0.12)));
    painter.setFont(font);
    painter.setPen(QColor(90, 90, 90));
    for (int note = layout.lowest; note <= layout.highest(); note += 12) {
        painter.drawText(rectOf(note).adjusted(0, 0, 0, -area.height() * 0.04),
                         Qt::AlignHCenter | Qt::AlignBottom, nameOfC(note));
    }
}

PianoView::PianoView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("piano"));
    setMinimumSize(300, 80);
    setAccessibleName(tr("Keyboard"));
    setAccessibleDescription(
        tr("Played with the mouse, or with the computer's keys: Z to / and the keys above them "
           "from C, Q to P and the digits an octave higher; - and = change the octave."));
}

void PianoView::setLowest(int c) {
    if (c != lowest_) {
        lowest_ = c;
        update();
    }
}

void PianoView::setHeld(const Notes& held) {
    if (held != held_) {
        held_ = held;
        update();
    }
}

PianoLayout PianoView::layout() const {
    return {lowest_, 2, double(width()), double(height())};
}

void PianoView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    paintPiano(painter, QRectF(rect()).adjusted(0, 0, -1, -1), layout(), held_);
}

void PianoView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit mouseOn(layout().noteAt(event->position().x(), event->position().y()).value_or(-1));
    }
}

void PianoView::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) != 0) {
        emit mouseOn(layout().noteAt(event->position().x(), event->position().y()).value_or(-1));
    }
}

void PianoView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit mouseOn(-1);
    }
}

} // namespace keyboard
