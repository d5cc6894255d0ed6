#pragma once

#include "model/Tone.h"

#include <QObject>

class QAction;
class QLineEdit;
class QMenu;
class QWidget;

namespace app {

class Note;

// Undo and redo of the tone, window-wide, and copying and pasting all 17 harmonics as text. The
// tone keeps the steps; this says where one user action ends: when control returns to the event
// loop, or when the next action starts.
class EditActions final : public QObject {
    Q_OBJECT

public:
    EditActions(QWidget& window, QMenu& menu, std::array<QLineEdit*, editor::slotCount> boxes,
                model::Tone& tone, Note& note);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addAction(QWidget& window, QMenu& menu, const QString& text,
                       const QList<QKeySequence>& keys);
    void copy();
    void paste();
    void updateActions();

    std::array<QLineEdit*, editor::slotCount> boxes_;
    model::Tone& tone_;
    Note& note_;
    QAction* undo_;
    QAction* redo_;
};

} // namespace app
