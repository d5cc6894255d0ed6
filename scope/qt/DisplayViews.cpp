#include "DisplayViews.h"

#include "app/WindowLayout.h"
#include "editor/Presets.h"
#include "scope/qt/DisplayItem.h"

#include <QAction>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

namespace app {
namespace {

using Ideal = scope::Target::Ideal;

// The shape each preset button aims at, in button order; MUTE aims at nothing.
constexpr std::array<std::optional<Ideal>, 6> presetShapes{
    std::nullopt, Ideal::Square, Ideal::Sawtooth, Ideal::Sawtooth, Ideal::Sine, Ideal::Triangle};

} // namespace

DisplayViews::DisplayViews(QWidget& display, QMenu& menu, model::Tone& tone,
                           std::function<void()> redraw)
    : QObject(&display), tone_(tone), views_(tone.views()), redraw_(std::move(redraw)) {
    menu.addSeparator();
    connect(addDisplayItem(display, menu, tr("Show harmonics"), Qt::Key_H, true), &QAction::toggled,
            this, [this](bool on) {
                views_.harmonics = on;
                changed();
                emit shownChanged();
            });
    connect(addDisplayItem(display, menu, tr("Show target"), Qt::Key_T, true), &QAction::toggled,
            this, [this](bool on) {
                views_.target = on;
                changed();
                emit shownChanged();
                sayIfNoTarget();
            });
    sinePhases_ = addDisplayItem(display, menu, tr("Sine phases only"), Qt::Key_S, true);
    connect(sinePhases_, &QAction::toggled, this, [this](bool on) {
        tone_.setSinePhasesOnly(on);
        redraw_();
    });
    display.installEventFilter(this);
}

void DisplayViews::changed() {
    tone_.viewsChanged();
    redraw_();
}

void DisplayViews::presetClicked(int index) {
    const auto shape = presetShapes.at(static_cast<std::size_t>(index));
    views_.aim.reset();
    aimName_.clear();
    if (shape) {
        const double fundamental = editor::presetRows.at(static_cast<std::size_t>(index))[0].value;
        views_.aim = scope::Target::ideal(*shape, fundamental);
        // The button's own caption, as the window shows it in every language.
        const std::string_view caption =
            layout::command1.at(static_cast<std::size_t>(index)).caption;
        aimName_ = QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
    }
    tone_.viewsChanged();
    emit shownChanged();
}

// A view ticked that shows nothing says how to give it something to show.
void DisplayViews::sayIfNoTarget() {
    if (views_.target && !views_.aim && !views_.round) {
        emit said(
            tr("Show target: no target yet. Press a preset, draw a wave on the display or open "
               "a sound, and its shape shows here."));
    }
}

void DisplayViews::aimAt(const analysis::Harmonics& sound) {
    views_.aim = scope::Target::drawn(sound.period);
    aimName_ = tr("the sound's period, %1 Hz (%2)")
                   .arg(QLocale().toString(sound.fundamentalHz, 'f', 1),
                        QString::fromStdString(analysis::noteName(sound.fundamentalHz)));
    changed();
    emit shownChanged();
}

void DisplayViews::showRound(const std::optional<scope::Views::Round>& round) {
    views_.round = round;
    changed();
    emit shownChanged();
}

std::string DisplayViews::fitWording(const std::optional<scope::Fit>& fit) {
    if (!fit) {
        return tr("The target is flat: nothing to compare").toStdString();
    }
    const QLocale locale;
    const QString overshoot = locale.toString(fit->overshoot, 'f', 1);
    return tr("RMS error %1 %   overshoot %2 %")
        .arg(locale.toString(fit->rmsError, 'f', 1),
             fit->overshoot >= 0.0 ? locale.positiveSign() + overshoot : overshoot)
        .toStdString();
}

// A drawing stays on screen beside the sum it made, until the amplitudes change again.
void DisplayViews::amplitudesChanged() {
    if (!loadingDrawing_) {
        views_.drawing.reset();
    }
}

void DisplayViews::phasesChanged() {
    const auto& phases = tone_.phases();
    const bool setAside = tone_.sinePhasesOnly() && std::any_of(phases.begin(), phases.end(),
                                                                [](double p) { return p != 0; });
    views_.phasesSetAside =
        setAside ? tr("Sine phases only: the phases are set aside (S)").toStdString() : "";
}

bool DisplayViews::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool starts =
            event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton;
        if (starts) {
            drawing_.emplace();
            shownBefore_ = views_.drawing;
        }
        if (drawing_ && (starts || (mouse->buttons() & Qt::LeftButton) != 0)) {
            draw(mouse->position());
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && drawing_) {
            finishDrawing();
        }
        break;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && drawing_) {
            cancelDrawing();
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void DisplayViews::draw(QPointF at) {
    drawing_->add(at.x(), at.y());
    views_.drawing = drawing_->curve();
    changed();
}

// A click without a stroke is only a click: the display takes the focus, nothing else changes.
void DisplayViews::finishDrawing() {
    const scope::Drawing drawing = *drawing_;
    drawing_.reset();
    if (drawing.columns() < 2) {
        cancelDrawing();
        return;
    }
    const scope::Period heights = drawing.filled();
    views_.aim = scope::Target::drawn(heights);
    aimName_ = tr("your drawing");
    tone_.viewsChanged();
    emit shownChanged();
    scope::Curve shown{};
    for (std::size_t x = 0; x < shown.size(); ++x) {
        shown[x] = scope::rowOf(heights[x % heights.size()]);
    }
    views_.drawing = shown;
    loadingDrawing_ = true;
    tone_.load(scope::harmonicsOf(heights));
    loadingDrawing_ = false;
    redraw_();
}

void DisplayViews::cancelDrawing() {
    drawing_.reset();
    views_.drawing = shownBefore_;
    changed();
}

} // namespace app
