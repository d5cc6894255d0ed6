#include "Listening.h"

#include "scope/qt/DisplayItem.h"

#include <QAction>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QWidget>
#include <cmath>

namespace app {
namespace {

constexpr double rate = 48000.0;
// Long enough for a steady tenth of a second of the lowest pitch, short enough to follow a voice.
constexpr auto keptSamples = std::size_t(0.5 * rate);
constexpr int intervalMs = 100;

} // namespace

Listening::Listening(QWidget& display, QMenu& menu, audio::SoundOutput* input, model::Tone& tone)
    : QObject(&display), input_(input), tone_(tone),
      action_(addDisplayItem(display, menu, tr("Listen"), Qt::Key_L, true)) {
    action_->setObjectName(QStringLiteral("listenAction"));
    connect(action_, &QAction::toggled, this, &Listening::toggled);
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, &Listening::takeApart);
    display.installEventFilter(this);
    availabilityChanged();
}

void Listening::availabilityChanged() {
    const bool present = input_ != nullptr && input_->hasInput();
    action_->setEnabled(present || action_->isChecked());
    // Without a server there is no telling whether a device is there: the server is what is
    // missing.
    const bool server = input_ != nullptr && input_->unavailableReason().empty();
    action_->setText(present  ? tr("Listen")
                     : server ? tr("Listen (no audio input device)")
                              : tr("Listen (needs a sound server)"));
}

void Listening::toggled(bool on) {
    if (!on) {
        stop({});
        return;
    }
    heard_.clear();
    tone_.holdSteps(true);
    emit sessionChanged(true);
    input_->listen({[this](std::span<const float> samples) {
                        const std::scoped_lock lock(mutex_);
                        heard_.insert(heard_.end(), samples.begin(), samples.end());
                        if (heard_.size() > 2 * keptSamples) {
                            heard_.erase(heard_.begin(), heard_.end() - long(keptSamples));
                        }
                    },
                    [this] {
                        QMetaObject::invokeMethod(
                            this, [this] { stop(tr("Listening stopped: the input has gone")); },
                            Qt::QueuedConnection);
                    }});
    timer_.start();
    emit said(tr("Listening…"));
}

void Listening::stop(const QString& why) {
    if (!timer_.isActive()) {
        return;
    }
    timer_.stop();
    input_->listen({});
    tone_.holdSteps(false);
    emit sessionChanged(false);
    const QSignalBlocker quiet(action_);
    action_->setChecked(false);
    availabilityChanged();
    emit said(why); // or, with no reason, the last "Listening: …" goes: it no longer holds
}

// What has been heard lately, taken apart: a steady note moves the boxes; anything else leaves
// them as they are, and says so.
void Listening::takeApart() {
    std::vector<float> latest;
    {
        const std::scoped_lock lock(mutex_);
        latest.assign(heard_.end() - long(std::min(heard_.size(), keptSamples)), heard_.end());
    }
    const analysis::Analysis found = analysis::analyse(latest, rate);
    if (found.harmonics) {
        tone_.load(found.harmonics->timbre);
        emit heard(*found.harmonics);
        emit said(
            tr("Listening: %1 Hz (%2)")
                .arg(QLocale().toString(found.harmonics->fundamentalHz, 'f', 1),
                     QString::fromStdString(analysis::noteName(found.harmonics->fundamentalHz))));
    } else if (found.problem == analysis::Problem::OutOfRange) {
        const QString hz = QString::number(std::lround(found.hz));
        emit said(found.hz > analysis::highestHz
                      ? tr("Listening: %1 Hz, too high to take apart").arg(hz)
                      : tr("Listening: %1 Hz, too low to take apart").arg(hz));
    } else {
        emit said(found.problem == analysis::Problem::Silent ? tr("Listening: silence")
                                                             : tr("Listening: no steady pitch"));
    }
}

bool Listening::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && timer_.isActive()) {
        stop({});
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace app
