#include "LargeView.h"

#include "Chart.h"
#include "Picture.h"
#include "TimePanel.h"
#include "accessible/qt/Announcement.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>

namespace largeview {

LargeView::LargeView(model::Tone& tone, scope::FitWording wording, QWidget& owner)
    : QWidget(&owner, Qt::Window), tone_(tone), wording_(std::move(wording)),
      announcement_(new accessible::Announcement(*this)), cursor_(new TimeCursor(*this)),
      envelope_(new EnvelopeEditor(tone, *this)) {
    setObjectName(QStringLiteral("largeView"));
    setWindowTitle(tr("Tonvirta: large view"));
    setAccessibleName(tr("Large view"));
    setMinimumSize(400, 300);
    setMaximumSize(3840, 2160);
    resize(1280, 720);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The bars take the focus, one after another, and the view's keys reach it through them.
    setFocusPolicy(Qt::NoFocus);
    wheelPause_.setSingleShot(true);
    wheelPause_.setInterval(500);
    connect(&wheelPause_, &QTimer::timeout, this, [this] { tone_.stopMerging(); });
    noteTimer_.setSingleShot(true);
    noteTimer_.setInterval(4000);
    connect(&noteTimer_, &QTimer::timeout, this, [this] {
        note_.clear();
        update();
    });
    setToolTip(tr("Drag a bar to set its harmonic's amplitude and the narrow bar beside it, or "
                  "scroll, for its phase. Tab moves between the bars; Up and Down set the "
                  "amplitude, Left and Right the phase. D: decibels. F11: full screen."));
    for (std::size_t k = 0; k < bars_.size(); ++k) {
        bars_[k] = new Bar(k, *this);
        connect(bars_[k], &Bar::amplitudeStepped, this, [this](std::size_t index, double by) {
            tone_.setAmplitude(index, std::clamp(std::nearbyint(tone_.amplitudes()[index] + by),
                                                 -amplitudeLimit, amplitudeLimit));
        });
        connect(bars_[k], &Bar::phaseStepped, this, [this](std::size_t index, double by) {
            tone_.setPhase(index, tone_.phases()[index] + by);
        });
        connect(bars_[k], &Bar::phaseTurned, announcement_, &accessible::Announcement::say);
        if (k > 0) {
            setTabOrder(bars_[k - 1], bars_[k]);
        }
    }
    cursor_->hide();
    envelope_->hide();
    setTabOrder(bars_.back(), envelope_->firstHandle());
    connect(cursor_, &TimeCursor::moved, this, &LargeView::cursorMoved);
    connect(cursor_, &TimeCursor::settled, this, &LargeView::cursorSettled);
    tone_.listen([this](model::Tone::Change change) {
        if (change != model::Tone::Change::Steps) {
            toneChanged();
        }
    });
    toneChanged();
}

void LargeView::setDescription(const QString& text) {
    if (text != accessibleDescription()) {
        setAccessibleDescription(text);
    }
}

void LargeView::toneChanged() {
    const scope::Amplitudes amplitudes = tone_.amplitudes();
    for (std::size_t k = 0; k < bars_.size(); ++k) {
        bars_[k]->present(amplitudes[k], tone_.phases()[k]);
    }
    update();
}

void LargeView::showNote(const QString& text) {
    note_ = text;
    noteTimer_.start();
    update();
}

void LargeView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (focusWidget() == nullptr) {
        bars_[0]->setFocus();
    }
    emit visibilityChanged(true);
}

void LargeView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit visibilityChanged(false);
}

void LargeView::paintEvent(QPaintEvent*) {
    paint(*this, scene());
}

void LargeView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeBars();
}

// The keys and the envelope take the bottom fifth, a gap above them included.
int LargeView::pictureHeight() const {
    return envelope_->isVisible() ? height() - height() / 5 : height();
}

void LargeView::showEnvelope() {
    envelopeWanted_ = true;
    envelope_->show();
    placeBars();
    update();
    envelope_->firstHandle()->setFocus(Qt::OtherFocusReason);
}

void LargeView::setPiano(QWidget* piano) {
    piano_ = piano;
    piano_->hide();
}

// Under the chart, a fifth of the view's height, while notes are played.
void LargeView::showPiano(bool on) {
    if (piano_ == nullptr) {
        return;
    }
    piano_->setVisible(on);
    envelope_->setVisible(on || envelopeWanted_);
    placeBars();
    update();
}

void LargeView::placeBars() {
    const int h = height() / 5;
    const int gap = height() / 60;
    const int pianoWidth = (width() - width() / 10) * 3 / 5;
    if (piano_ != nullptr) {
        piano_->setGeometry(width() / 20, height() - h + gap, pianoWidth, h - 2 * gap);
    }
    envelope_->setGeometry(width() / 20 + pianoWidth + gap, height() - h + gap,
                           width() - width() / 10 - pianoWidth - gap, h - 2 * gap);
    const Layout layout = layoutFor(width(), pictureHeight(), timePanelShown());
    const Box& panel = layout.timePanel;
    cursor_->setGeometry(int(panel.x), int(panel.y), int(panel.width), int(panel.height));
    for (std::size_t k = 0; k < bars_.size(); ++k) {
        const Box& bar = layout.bars[k];
        const Box& phase = layout.phases[k];
        bars_[k]->setGeometry(int(bar.x), int(bar.y), int(phase.x + phase.width - bar.x),
                              int(bar.height));
    }
}

std::optional<LargeView::Grip> LargeView::gripAt(QPointF at) const {
    const Layout layout = layoutFor(width(), pictureHeight(), timePanelShown());
    for (std::size_t k = 0; k < layout.bars.size(); ++k) {
        if (layout.bars[k].contains(at.x(), at.y())) {
            return Grip{k, false};
        }
        if (layout.phases[k].contains(at.x(), at.y())) {
            return Grip{k, true};
        }
    }
    return std::nullopt;
}

void LargeView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && cursor_->geometry().contains(event->pos()) &&
        timePanelShown()) {
        cursor_->setFocus(Qt::MouseFocusReason);
        draggingTime_ = true;
        drag(event->position());
    } else if (event->button() == Qt::LeftButton) {
        dragging_ = gripAt(event->position());
        if (dragging_) {
            bars_[dragging_->index]->setFocus(Qt::MouseFocusReason);
            tone_.holdSteps(true); // the whole drag is one step
            drag(event->position());
        }
    }
}

void LargeView::mouseMoveEvent(QMouseEvent* event) {
    if ((dragging_ || draggingTime_) && (event->buttons() & Qt::LeftButton) != 0) {
        drag(event->position());
    }
}

void LargeView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && draggingTime_) {
        draggingTime_ = false;
        cursor_->settle();
    } else if (event->button() == Qt::LeftButton && dragging_) {
        dragging_.reset();
        tone_.holdSteps(false);
    }
}

void LargeView::drag(QPointF at) {
    const Layout layout = layoutFor(width(), pictureHeight(), timePanelShown());
    if (draggingTime_) {
        cursor_->moveTo(momentAt(layout.timePanel, at.x(), cursor_->note()->moments.size()));
        return;
    }
    const std::size_t k = dragging_->index;
    if (dragging_->phase) {
        tone_.setPhase(k, phaseAt(layout.phases[k], at.y()));
    } else {
        const double sign = tone_.amplitudes()[k] < 0.0 ? -1.0 : 1.0;
        tone_.setAmplitude(k, amplitudeAt(layout.bars[k], at.y(), decibels_, sign));
    }
}

// A notch turns the phase of the bar under the mouse by 5 degrees.
void LargeView::wheelEvent(QWheelEvent* event) {
    const auto grip = gripAt(event->position());
    if (!grip) {
        event->ignore();
        return;
    }
    wheelTurn_ += event->angleDelta().y() / 120.0;
    const double notches = std::trunc(wheelTurn_);
    wheelTurn_ -= notches;
    if (notches != 0.0) {
        // Notches on one bar, with no pause between them, are one step.
        tone_.startAction(wheelMergeKey + int(grip->index));
        tone_.setPhase(grip->index, tone_.phases()[grip->index] + 5.0 * notches);
        wheelPause_.start();
    }
    event->accept();
}

void LargeView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F11) {
        setWindowState(windowState() ^ Qt::WindowFullScreen);
    } else if (event->key() == Qt::Key_Escape && isFullScreen()) {
        showNormal();
    } else if (event->key() == Qt::Key_D && event->modifiers() == Qt::NoModifier) {
        decibels_ = !decibels_;
        update();
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace largeview
