#pragma once

#include "editor/History.h"

#include <QObject>
#include <functional>
#include <span>

class QAction;
class QLineEdit;
class QMenu;
class QWidget;

namespace app {

class Note;

// Undo and redo of the amplitudes, window-wide, and copying and pasting all 17 as a line of
// text. A step is one user action: everything it changed is recorded when control returns to
// the event loop, or when the next action starts.
class EditActions final : public QObject {
    Q_OBJECT

public:
    struct Boxes {
        std::function<editor::Step()> read;
        std::function<void(const editor::Step&)> restore; // exactly, fractions included
        // The amplitudes as a preset writes them, and the phases.
        std::function<void(std::span<const std::string>, const editor::Phases&)> load;
    };

    EditActions(QWidget& window, QMenu& menu, std::array<QLineEdit*, editor::slotCount> boxes,
                Boxes access, Note& note);

    // An amplitude or a phase has settled after a change.
    void amplitudesChanged();
    // Harmonics that come from elsewhere, as one step of their own.
    void loadAsOneStep(std::span<const std::string> texts, const editor::Phases& phases = {});
    // While held, changes make no steps; released, all of them make one.
    void holdSteps(bool hold);
    // A short note over the display that goes away by itself.
    void say(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addAction(QWidget& window, QMenu& menu, const QString& text,
                       const QList<QKeySequence>& keys);
    void recordPendingStep();
    void moveThroughHistory(bool back);
    void copy();
    void paste();
    void updateActions();

    std::array<QLineEdit*, editor::slotCount> boxes_;
    Boxes access_;
    Note& note_;
    editor::History history_;
    QAction* undo_;
    QAction* redo_;
    bool pending_ = false;
    bool restoring_ = false;
    bool holding_ = false;
    int actionKey_ = 0;  // what the user is doing now: 1 + a box typed in, or 0
    int pendingKey_ = 0; // what made the pending step
};

} // namespace app
