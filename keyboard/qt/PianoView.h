#pragma once

#include "keyboard/Piano.h"

#include <QWidget>

class QPainter;

namespace keyboard {

// A C by its MIDI number, as the keys are labelled: 60 is C4.
inline QString nameOfC(int note) {
    return QStringLiteral("C%1").arg(note / 12 - 1);
}

// Piano keys on screen over two octaves and a C, the held ones lit: pressed, glided across and
// released with the mouse.
class PianoView final : public QWidget {
    Q_OBJECT

public:
    explicit PianoView(QWidget* parent = nullptr);

    void setLowest(int c);
    void setHeld(const Notes& held);
    [[nodiscard]] PianoLayout layout() const;

signals:
    // The mouse is on this key now, or (-1) on none or up.
    void mouseOn(int note);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int lowest_ = 60;
    Notes held_;
};

// The keys in a rectangle of any paint device, the held ones lit.
void paintPiano(QPainter& painter, const QRectF& area, const PianoLayout& layout,
                const Notes& held);

} // namespace keyboard
