#include "Bar.h"

#include "accessible/qt/SliderAccessible.h"
#include "model/Timbre.h"

#include <QKeyEvent>

namespace largeview {

double Bar::sliderMinimum() {
    return -model::amplitudeLimit;
}

double Bar::sliderMaximum() {
    return model::amplitudeLimit;
}

Bar::Bar(std::size_t index, QWidget& view) : QWidget(&view), index_(index) {
    accessible::readAsSlider<Bar>();
    setObjectName(QStringLiteral("bar_%1").arg(index));
    setAccessibleName(tr("Harmonic %1").arg(index + 1));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(tr("phase %1 degrees").arg(0));
    // The view paints the whole chart and takes the mouse over it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Bar::present(double amplitude, double phase) {
    if (amplitude == amplitude_ && phase == phase_) {
        return;
    }
    const bool turned = phase != phase_;
    amplitude_ = amplitude;
    phase_ = phase;
    // A reader speaks the slider's value, the amplitude, and after its name the description.
    setAccessibleDescription(tr("phase %1 degrees").arg(QString::number(phase)));
    QAccessibleValueChangeEvent event(this, amplitude);
    QAccessible::updateAccessibility(&event);
    if (turned && hasFocus()) {
        emit phaseTurned(accessibleDescription());
    }
}

// Up and Down step the amplitude (Page keys by 10), Left and Right the phase by 5 degrees.
void Bar::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        emit amplitudeStepped(index_, 1);
        break;
    case Qt::Key_Down:
        emit amplitudeStepped(index_, -1);
        break;
    case Qt::Key_PageUp:
        emit amplitudeStepped(index_, 10);
        break;
    case Qt::Key_PageDown:
        emit amplitudeStepped(index_, -10);
        break;
    case Qt::Key_Right:
        emit phaseStepped(index_, 5);
        break;
    case Qt::Key_Left:
        emit phaseStepped(index_, -5);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void Bar::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    parentWidget()->update();
}

void Bar::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    parentWidget()->update();
}

} // namespace largeview
