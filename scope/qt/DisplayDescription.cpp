#include "DisplayDescription.h"

#include "accessible/qt/Announcement.h"
#include "forms/qt/PictureBox.h"
#include "scope/Renderer.h"

#include <QAccessible>
#include <QLocale>
#include <QStringList>

namespace app {
namespace {

// Long enough that keys pressed in a row, or a slider's drag, are one change; short enough to
// be heard within a second of it.
constexpr int settleMs = 600;

QString menuHint() {
    return DisplayDescription::tr("Shift+F10 or the Menu key opens the display's menu");
}

} // namespace

DisplayDescription::DisplayDescription(forms::PictureBox& display,
                                       std::function<scope::Scene()> scene)
    : QObject(&display), display_(display), scene_(std::move(scene)),
      announcement_(new accessible::Announcement(display)) {
    connect(&display, &forms::PictureBox::captionChanged, this, &DisplayDescription::changed);
    settled_.setSingleShot(true);
    settled_.setInterval(settleMs);
    connect(&settled_, &QTimer::timeout, this, &DisplayDescription::speakSettled);
}

void DisplayDescription::changed() {
    dirty_ = true;
}

void DisplayDescription::refresh() {
    if (!dirty_) {
        return;
    }
    dirty_ = false;
    const QString now = text();
    if (now != display_.accessibleDescription()) {
        display_.setAccessibleDescription(now);
        settled_.start();
    }
}

void DisplayDescription::presetPressed() {
    presetPressed_ = true;
    settled_.start();
}

void DisplayDescription::noteSaid() {
    sinceNote_.start();
}

// All of it but the hint, which the focus has given already.
void DisplayDescription::speakSettled() {
    const bool noted = sinceNote_.isValid() && sinceNote_.elapsed() < qint64{2} * settleMs;
    const bool wanted = presetPressed_ || (display_.hasFocus() && !noted);
    presetPressed_ = false;
    if (wanted && QAccessible::isActive()) { // nobody to tell, no notification to show
        announcement_->say(shown().join(QStringLiteral(". ")));
    }
}

void DisplayDescription::setAimName(const QString& name) {
    aimName_ = name;
    changed();
}

QString DisplayDescription::text() const {
    return (shown() << menuHint()).join(QStringLiteral(". "));
}

QStringList DisplayDescription::shown() const {
    const scope::Scene scene = scene_();
    QStringList parts{harmonics(scene.timbre.amplitudes)};
    if (scene.harmonics) {
        parts << tr("Harmonics view on");
    }
    using Aim = scope::Scene::Aim;
    if (scene.aim == Aim::HiddenWave) {
        parts << tr("The game's hidden wave is drawn as the target");
    } else if (scene.aim == Aim::HeardWave) {
        parts << tr("The game's hidden wave is heard only, not drawn");
    } else if (scene.aim == Aim::Target) {
        parts << (aimName_.isEmpty() ? tr("Target view on")
                                     : tr("Target view on: %1").arg(aimName_));
    }
    // The display spaces its figures apart; read aloud they are a list.
    const QString caption = display_.captionText()
                                .split(QString::fromLatin1(scope::captionGap.data(),
                                                           qsizetype(scope::captionGap.size())))
                                .join(QStringLiteral(", "));
    if (!caption.isEmpty()) {
        parts << caption;
    }
    return parts;
}

// The sounding harmonics as "k: amplitude" pairs, in the user's notation.
QString DisplayDescription::harmonics(const model::Amplitudes& amplitudes) {
    QStringList pairs;
    for (std::size_t k = 0; k < amplitudes.size(); ++k) {
        if (amplitudes[k] != 0.0) {
            pairs << QStringLiteral("%1: %2").arg(k + 1).arg(
                QLocale().toString(amplitudes[k], 'g', 15));
        }
    }
    return pairs.isEmpty() ? tr("Every harmonic is 0")
                           : tr("Harmonics %1").arg(pairs.join(QStringLiteral(", ")));
}

} // namespace app
