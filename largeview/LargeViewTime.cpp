// The large view's time panel: what it shows, and the cursor's moves into the tone.
#include "LargeView.h"
#include "Picture.h"
#include "accessible/qt/Announcement.h"

#include <QLocale>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace largeview {

Scene LargeView::scene() const {
    Scene scene;
    const scope::Scene shown = tone_.scene();
    scene.timbre = {tone_.amplitudes(), tone_.phases()};
    scene.heard = shown.timbre.phases;
    scene.harmonics = shown.harmonics;
    scene.aim = shown.target;
    scene.decibels = decibels_;
    for (const Bar* bar : bars_) {
        if (bar->hasFocus()) {
            scene.focused = bar->index();
        }
    }
    scene.fit = shown.target != nullptr ? QString::fromStdString(wording_(shown.fit)) : QString();
    scene.status = QString::fromStdString(shown.status);
    scene.note = note_;
    scene.sinePhasesNote = QString::fromStdString(shown.phasesSetAside);
    scene.height = pictureHeight();
    scene.scaleNote = tr("Top of the wave: %1");
    scene.harmonicsNote = tr("Harmonics:");
    scene.chartNote = decibels_ ? tr("Amplitudes in dB (D: linear) and phases")
                                : tr("Amplitudes (D: decibels) and phases");
    if (timePanelShown()) {
        const auto& moments = cursor_->note()->moments;
        scene.overTime = cursor_->note();
        scene.tracksPicture = &tracksPicture_;
        scene.cursor = cursor_->moment();
        scene.overTimeNote = tr("Harmonics over time, in dB, and the pitch");
        scene.cursorNote =
            tr("%1 · %2 Hz")
                .arg(cursor_->timeText(), QLocale().toString(moments[scene.cursor].hz, 'f', 1));
        scene.startNote = TimeCursor::textOf(*cursor_->note(), 0);
        scene.endNote = TimeCursor::textOf(*cursor_->note(), moments.size() - 1);
    }
    return scene;
}

bool LargeView::timePanelShown() const {
    return cursor_->note() != nullptr && !cursor_->note()->moments.empty();
}

void LargeView::setNoteOverTime(std::shared_ptr<const model::TimbreOverTime> note) {
    cursor_->setNote(std::move(note));
    tracksPicture_ = {};
    if (timePanelShown() && !cursor_->note()->frames) {
        // Where the note is loudest, which is near what the boxes took; a table's first frame
        // is what they took of it.
        const auto& moments = cursor_->note()->moments;
        const auto sum = [](const model::Moment& m) {
            return std::accumulate(m.timbre.amplitudes.begin(), m.timbre.amplitudes.end(), 0.0);
        };
        const auto loudest =
            std::max_element(moments.begin(), moments.end(),
                             [&sum](const auto& a, const auto& b) { return sum(a) < sum(b); });
        const QSignalBlocker quiet(cursor_);
        cursor_->moveTo(std::size_t(loudest - moments.begin()));
    }
    placeBars();
    update();
}

void LargeView::focusTimePanel() {
    if (timePanelShown()) {
        cursor_->setFocus(Qt::OtherFocusReason);
    }
}

// Every moment the cursor passes shows and sounds; the gesture is one undo step.
void LargeView::cursorMoved(std::size_t moment) {
    if (!holdingSteps_) {
        holdingSteps_ = true;
        tone_.holdSteps(true);
    }
    tone_.load(cursor_->note()->moments[moment].timbre);
    update();
}

// A reader hears the harmonics there once the cursor stands still.
void LargeView::cursorSettled() {
    if (holdingSteps_) {
        holdingSteps_ = false;
        tone_.holdSteps(false);
    }
    QStringList heard;
    const scope::Amplitudes amplitudes = tone_.amplitudes();
    for (std::size_t k = 0; k < amplitudes.size(); ++k) {
        if (amplitudes[k] != 0.0) {
            heard << tr("%1: %2").arg(k + 1).arg(amplitudes[k]);
        }
    }
    announcement_->say(tr("Harmonics at %1: %2").arg(cursor_->timeText(), heard.join(u", ")));
}

} // namespace largeview
