#include "PianoView.h"
#include "PlayMode.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <optional>

// The computer's keys while Play is on.
namespace keyboard {

namespace {

// The keys either side of the digits' row shift the octave: the one left of Backspace up, the
// one left of that down (by place, X11 key codes, or by character).
constexpr unsigned octaveDownCode = 20;
constexpr unsigned octaveUpCode = 21;

// What a key does while Play is on, by its place (X11's code) or, where none is known, its
// character; and the place by which its release is matched with its press.
struct KeyMeaning {
    std::optional<int> semitone;
    bool octaveDown = false;
    bool octaveUp = false;
    bool escape = false;
    int place = 0;
    [[nodiscard]] bool plays() const { return semitone || octaveDown || octaveUp || escape; }
};

KeyMeaning meaningOf(const QKeyEvent& key) {
    const unsigned code = key.nativeScanCode();
    const char character = key.text().size() == 1 ? key.text().at(0).toLatin1() : '\0';
    KeyMeaning meaning;
    meaning.semitone = code != 0 ? semitoneOfKeyCode(code) : semitoneOfCharacter(character);
    meaning.octaveDown = code != 0 ? code == octaveDownCode : character == '-';
    meaning.octaveUp = code != 0 ? code == octaveUpCode : character == '=';
    meaning.escape = key.key() == Qt::Key_Escape;
    meaning.place = code != 0 ? int(code) : 1000 + character;
    // Ctrl, Alt or Meta make a key a shortcut, never a note.
    if ((key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) !=
        Qt::NoModifier) {
        return {};
    }
    return meaning;
}

} // namespace

bool PlayMode::eventFilter(QObject* watched, QEvent* event) {
    if (watched == keys_ && event->type() == QEvent::Close && action_->isChecked()) {
        action_->setChecked(false);
        return false;
    }
    return handleKey(watched, event);
}

// The keys that play are taken before any shortcut, in this program's windows, unless the focus
// is in a text box, where keys type.
bool PlayMode::handleKey(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress &&
        type != QEvent::KeyRelease) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr ||
        (widget->window() != &window_ && widget->window()->parentWidget() != &window_)) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const KeyMeaning meaning = meaningOf(*key);
    if (qobject_cast<QLineEdit*>(widget) != nullptr) {
        // Keys type in a box; one held down before the box took the focus still ends its note.
        if (type == QEvent::KeyRelease && !key->isAutoRepeat() && meaning.semitone) {
            performance_.keyUp(meaning.place);
            showHeld();
        }
        return false;
    }
    if (!meaning.plays()) {
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        event->accept(); // delivered as a key press, not as a shortcut
        return true;
    }
    if (key->isAutoRepeat()) {
        return true;
    }
    if (type == QEvent::KeyRelease) {
        performance_.keyUpUnlessRepeated(meaning.place);
        settleTimer_.start();
    } else if (meaning.escape) {
        action_->setChecked(false);
    } else if (meaning.semitone) {
        performance_.keyDown(meaning.place, *meaning.semitone);
    } else if (!performance_.shiftOctave(meaning.octaveUp ? 1 : -1)) {
        emit said(meaning.octaveUp
                      ? tr("The octave goes no higher than %1.").arg(nameOfC(Octave::highest))
                      : tr("The octave goes no lower than %1.").arg(nameOfC(Octave::lowest)));
    }
    showHeld();
    return true;
}

} // namespace keyboard
