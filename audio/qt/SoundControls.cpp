#include "SoundControls.h"

#include <QAction>
#include <QActionGroup>
#include <QLocale>
#include <QMenu>
#include <QWidget>
#include <algorithm>

namespace app {
namespace {

constexpr std::array<int, 5> pitchesHz{55, 110, 220, 440, 880};
constexpr int startPitchHz = 220;
constexpr std::array<int, 4> volumesPercent{25, 50, 75, 100};
constexpr int startVolumePercent = 50;

QActionGroup* addChoices(QMenu& menu, const QString& title, const auto& values, int chosen,
                         const QString& unit) {
    QMenu* submenu = menu.addMenu(title);
    auto* group = new QActionGroup(submenu);
    for (const int value : values) {
        QAction* action = submenu->addAction(QStringLiteral("%1 %2").arg(value).arg(unit));
        action->setCheckable(true);
        action->setChecked(value == chosen);
        action->setData(value);
        group->addAction(action);
    }
    return group;
}

} // namespace

SoundControls::SoundControls(QWidget& window, QMenu& menu, audio::SoundOutput* output,
                             AmplitudeReader amplitudes)
    : QObject(&window), output_(output), amplitudes_(std::move(amplitudes)),
      sound_(new QAction(tr("Sound"), &window)) {
    sound_->setObjectName(QStringLiteral("soundAction"));
    sound_->setCheckable(true);
    sound_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    sound_->setShortcutContext(Qt::WindowShortcut);
    window.addAction(sound_);
    connect(sound_, &QAction::toggled, this, &SoundControls::publish);
    connect(sound_, &QAction::toggled, this, &SoundControls::playsChanged);
    connect(sound_, &QAction::triggered, this, [this] { onForPlaying_ = false; });
    hearing_.setSingleShot(true);
    connect(&hearing_, &QTimer::timeout, this, &SoundControls::publish);
    publishTimer_.setSingleShot(true);
    publishTimer_.setInterval(0);
    connect(&publishTimer_, &QTimer::timeout, this, &SoundControls::publish);
    buildMenu(menu);
    if (output_ != nullptr) {
        output_->onAvailabilityChanged([this] {
            updateSoundItem();
            emit availabilityChanged();
            emit playsChanged();
        });
    }
    updateSoundItem();
}

void SoundControls::buildMenu(QMenu& menu) {
    menu.addAction(sound_);
    pitches_ = addChoices(menu, tr("Pitch"), pitchesHz, startPitchHz, QStringLiteral("Hz"));
    volumes_ =
        addChoices(menu, tr("Volume"), volumesPercent, startVolumePercent, QStringLiteral("%"));
    connect(pitches_, &QActionGroup::triggered, this, &SoundControls::publish);
    connect(volumes_, &QActionGroup::triggered, this, &SoundControls::publish);
}

// While the server is away the item keeps the user's choice, so the sound comes back with it,
// and says what it waits for; it can still be switched either way.
void SoundControls::updateSoundItem() {
    const QString reason = unavailableReason();
    sound_->setEnabled(output_ != nullptr);
    sound_->setText(reason.isEmpty() ? tr("Sound") : tr("Sound (%1)").arg(reason));
    // While the sound is wanted, its going and coming back are said over the display as well.
    if (sound_->isChecked() && reason != reason_) {
        emit said(reason.isEmpty() ? tr("The sound is back.") : tr("No sound: %1.").arg(reason));
    }
    reason_ = reason;
}

QString SoundControls::unavailableReason() const {
    return output_ == nullptr ? tr("No audio output device")
                              : QString::fromStdString(output_->unavailableReason());
}

audio::SoundSnapshot SoundControls::snapshot() const {
    audio::SoundSnapshot snapshot;
    snapshot.timbre = amplitudes_();
    snapshot.pitchHz = pitches_->checkedAction()->data().toDouble();
    snapshot.volume = volumes_->checkedAction()->data().toInt() / 100.0;
    snapshot.on = (sound_->isChecked() || hearing_.isActive()) && !listening_;
    // Sound switched on only for a clip keeps the held tone silent.
    snapshot.playing = playing_ || (hearing_.isActive() && !sound_->isChecked());
    snapshot.clip = clip_;
    snapshot.envelope = envelope_;
    if (snapshot.timbre.amplitudes == loaded_) {
        snapshot.life = life_;
    }
    return snapshot;
}

void SoundControls::setEnvelope(const model::Envelope& envelope) {
    envelope_ = envelope;
    publishSoon();
}

void SoundControls::setLife(std::shared_ptr<const audio::NoteLife> life,
                            const model::Amplitudes& loaded) {
    lifeBefore_ = std::move(life_);
    life_ = std::move(life);
    loaded_ = loaded;
    publishSoon();
}

bool SoundControls::hear(std::shared_ptr<const std::vector<float>> samples) {
    if (listening_) {
        emit said(tr("Nothing is played while listening."));
        return false;
    }
    if (const QString reason = unavailableReason(); !reason.isEmpty()) {
        emit said(tr("No sound: %1.").arg(reason));
        return false;
    }
    // A server that is only now opened takes a moment before the clip's first sample.
    constexpr double openingSeconds = 2.0;
    hearing_.start(int((double(samples->size()) / audio::streamRate + openingSeconds) * 1000));
    clip_ = {std::move(samples), clip_.id == UINT32_MAX ? 1 : clip_.id + 1};
    publish();
    return true;
}

void SoundControls::setPlaying(bool on) {
    playing_ = on;
    if (on && !sound_->isChecked()) {
        sound_->setChecked(true);
        onForPlaying_ = true;
    } else if (!on && onForPlaying_) {
        onForPlaying_ = false;
        sound_->setChecked(false);
    }
    publish();
}

bool SoundControls::silent() const {
    return amplitudes_().silent();
}

void SoundControls::play(const audio::NoteEvent& event) {
    if (output_ != nullptr) {
        output_->play(event);
    }
}

void SoundControls::startTune() {
    if (output_ != nullptr) {
        output_->startTune();
    }
}

bool SoundControls::sendTune(const audio::TimedNote& note) {
    return output_ != nullptr && output_->sendTune(note);
}

void SoundControls::stopTune() {
    if (output_ != nullptr) {
        output_->stopTune();
    }
}

bool SoundControls::openMidi(const std::function<void(const audio::NoteEvent&)>& heard) {
    return output_ != nullptr && output_->openMidi(heard);
}

void SoundControls::closeMidi() {
    if (output_ != nullptr) {
        output_->closeMidi();
    }
}

bool SoundControls::plays() const {
    return sound_->isChecked() && canPlay() && !listening_;
}

void SoundControls::setListening(bool listening) {
    listening_ = listening;
    publish();
    emit playsChanged();
}

void SoundControls::choosePitchOfSound(double hz) {
    if (soundPitch_ == nullptr) {
        auto* menu = qobject_cast<QMenu*>(pitches_->actions().constFirst()->parent());
        soundPitch_ = menu->addAction(QString());
        soundPitch_->setCheckable(true);
        pitches_->addAction(soundPitch_);
    }
    soundPitch_->setText(tr("%1 Hz, from the sound").arg(QLocale().toString(hz, 'f', 1)));
    soundPitch_->setData(hz);
    soundPitch_->setChecked(true);
    publish();
}

void SoundControls::publishSoon() {
    publishTimer_.start();
}

void SoundControls::publish() {
    publishTimer_.stop();
    if (output_ != nullptr) {
        output_->publish(snapshot());
    }
}

} // namespace app
