#include "TimeCursor.h"

#include "accessible/qt/SliderAccessible.h"

#include <QKeyEvent>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace largeview {
void TimeCursor::setSliderValue(double value) {
    if (note_ != nullptr && !note_->moments.empty()) {
        const double from = note_->moments.front().seconds;
        moveTo(std::size_t(std::max(0L, std::lround((value - from) / note_->stepSeconds))));
        settle();
    }
}

double TimeCursor::sliderMinimum() const {
    return note_ != nullptr && !note_->moments.empty() ? note_->moments.front().seconds : 0.0;
}

double TimeCursor::sliderMaximum() const {
    return note_ != nullptr && !note_->moments.empty() ? note_->moments.back().seconds : 0.0;
}

TimeCursor::TimeCursor(QWidget& view) : QWidget(&view) {
    accessible::readAsSlider<TimeCursor>();
    setObjectName(QStringLiteral("timeCursor"));
    setAccessibleName(tr("Time"));
    // A reader speaks a slider's value as a bare number: this names its unit.
    setAccessibleDescription(tr("seconds"));
    setFocusPolicy(Qt::StrongFocus);
    // The view paints the panel and takes the mouse over it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    settling_.setSingleShot(true);
    settling_.setInterval(settleMs);
    connect(&settling_, &QTimer::timeout, this, &TimeCursor::settled);
}

void TimeCursor::setNote(std::shared_ptr<const model::TimbreOverTime> note) {
    note_ = std::move(note);
    moment_ = 0;
    const bool frames = note_ != nullptr && note_->frames && !note_->moments.empty();
    setAccessibleName(frames ? tr("Frame") : tr("Time"));
    setAccessibleDescription(frames ? tr("of %1").arg(note_->moments.size() - 1) : tr("seconds"));
    setVisible(note_ != nullptr && !note_->moments.empty());
}

double TimeCursor::seconds() const {
    return note_ != nullptr && moment_ < note_->moments.size() ? note_->moments[moment_].seconds
                                                               : 0.0;
}

QString TimeCursor::textOf(const model::TimbreOverTime& note, std::size_t moment) {
    const double seconds = moment < note.moments.size() ? note.moments[moment].seconds : 0.0;
    return note.frames ? tr("frame %1").arg(QLocale().toString(qlonglong(seconds)))
                       : tr("%1 s").arg(QLocale().toString(seconds, 'f', 2));
}

void TimeCursor::moveTo(std::size_t moment) {
    if (note_ == nullptr || note_->moments.empty()) {
        return;
    }
    moment = std::min(moment, note_->moments.size() - 1);
    if (moment == moment_) {
        return;
    }
    moment_ = moment;
    emit moved(moment_);
    QAccessibleValueChangeEvent event(this, seconds());
    QAccessible::updateAccessibility(&event);
}

void TimeCursor::settle() {
    settling_.stop();
    emit settled();
}

void TimeCursor::keyPressEvent(QKeyEvent* event) {
    if (note_ == nullptr || note_->moments.empty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const auto last = long(note_->moments.size() - 1);
    const long page = note_->frames ? 8L : std::max(1L, std::lround(0.1 / note_->stepSeconds));
    const auto at = long(moment_);
    long to = at;
    switch (event->key()) {
    case Qt::Key_Left:
        to = at - 1;
        break;
    case Qt::Key_Right:
        to = at + 1;
        break;
    case Qt::Key_PageUp: // later, as a slider's value goes up
        to = at + page;
        break;
    case Qt::Key_PageDown:
        to = at - page;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = last;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    moveTo(std::size_t(std::clamp(to, 0L, last)));
    settling_.start();
    event->accept();
}

void TimeCursor::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    parentWidget()->update();
}

void TimeCursor::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    parentWidget()->update();
}

} // namespace largeview
