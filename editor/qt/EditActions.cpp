#include "EditActions.h"

#include "scope/qt/Note.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

namespace app {
namespace {

bool isUndoOrRedo(const QKeyEvent& key) {
    return key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo) ||
           key.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

} // namespace

EditActions::EditActions(QWidget& window, QMenu& menu,
                         std::array<QLineEdit*, editor::slotCount> boxes, model::Tone& tone,
                         Note& note)
    : QObject(&window), boxes_(boxes), tone_(tone), note_(note) {
    menu.addSeparator();
    undo_ = addAction(window, menu, tr("Undo"), {QKeySequence(QKeySequence::Undo)});
    redo_ = addAction(
        window, menu, tr("Redo"),
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(undo_, &QAction::triggered, this, [this] { tone_.undo(); });
    connect(redo_, &QAction::triggered, this, [this] { tone_.redo(); });
    menu.addSeparator();
    connect(addAction(window, menu, tr("Copy amplitudes"),
                      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}),
            &QAction::triggered, this, &EditActions::copy);
    connect(addAction(window, menu, tr("Paste amplitudes"),
                      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V)}),
            &QAction::triggered, this, &EditActions::paste);
    for (QLineEdit* box : boxes_) {
        box->installEventFilter(this);
    }
    // Any user input ends the action before it; the filter sees it before its widget does.
    qApp->installEventFilter(this);
    tone_.setStepScheduler([this] { QTimer::singleShot(0, this, [this] { tone_.endStep(); }); });
    tone_.listen([this](model::Tone::Change change) {
        if (change == model::Tone::Change::Steps) {
            updateActions();
        }
    });
    updateActions();
}

QAction* EditActions::addAction(QWidget& window, QMenu& menu, const QString& text,
                                const QList<QKeySequence>& keys) {
    auto* action = new QAction(text, &window);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    menu.addAction(action);
    return action;
}

bool EditActions::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::ShortcutOverride &&
        std::find(boxes_.begin(), boxes_.end(), watched) != boxes_.end() &&
        isUndoOrRedo(static_cast<QKeyEvent&>(*event))) {
        // Not the box's own undo: the window's, so the two never disagree.
        event->ignore();
        return true;
    }
    if (type == QEvent::KeyPress || type == QEvent::MouseButtonPress ||
        type == QEvent::MouseButtonRelease || type == QEvent::Wheel) {
        const auto box = std::find(boxes_.begin(), boxes_.end(), watched);
        tone_.startAction(type == QEvent::KeyPress && box != boxes_.end()
                              ? 1 + static_cast<int>(box - boxes_.begin())
                              : 0);
    }
    if (type == QEvent::FocusOut &&
        std::find(boxes_.begin(), boxes_.end(), watched) != boxes_.end()) {
        tone_.stopMerging();
    }
    return QObject::eventFilter(watched, event);
}

void EditActions::copy() {
    tone_.endStep();
    QApplication::clipboard()->setText(
        QString::fromStdString(editor::harmonicsAsText(tone_.step())));
}

void EditActions::paste() {
    tone_.endStep();
    const editor::ParsedHarmonics harmonics =
        editor::parseHarmonics(QApplication::clipboard()->text().toStdString());
    const editor::ParsedAmplitudes& parsed = harmonics.amplitudes;
    using Problem = editor::ParsedAmplitudes::Problem;
    if (parsed.problem != Problem::None) {
        const QString why =
            parsed.problem == Problem::NoNumbers
                ? tr("the clipboard holds no numbers")
                : tr("\"%1\" is not a number").arg(QString::fromStdString(parsed.word));
        note_.say(
            tr("Nothing pasted: %1. Copy numbers such as \"100 0 30\" and try again.").arg(why));
        return;
    }
    tone_.load(parsed.numbers, harmonics.phases, harmonics.envelope);
    if (parsed.leftOut > 0) {
        note_.say(
            tr("Pasted the first 17 numbers and left out the rest (%1 more).").arg(parsed.leftOut));
    }
}

void EditActions::updateActions() {
    undo_->setEnabled(tone_.canUndo());
    redo_->setEnabled(tone_.canRedo());
}

} // namespace app
