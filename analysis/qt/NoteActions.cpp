#include "NoteActions.h"

#include "scope/qt/DisplayItem.h"

namespace app {

NoteActions::NoteActions(QWidget& display, QMenu& menu) : QObject(&display) {
    const auto add = [&](const QString& text, const QKeySequence& key, auto done) {
        QAction* item = addDisplayItem(display, menu, text, key);
        item->setEnabled(false);
        connect(item, &QAction::triggered, this, done);
        items_.push_back(item);
    };
    add(tr("Note over time"), Qt::Key_O, [this] { emit overTimeWanted(); });
    add(tr("Hear the recording"), Qt::Key_R, [this] { emit hearWanted(taken_->recording); });
    add(tr("Hear the resynthesis"), Qt::Key_E, [this] { emit hearWanted(taken_->resynthesis); });
    add(tr("Hear what is left"), Qt::Key_X, [this] { emit hearWanted(taken_->residual); });
    add(tr("Export tracks…"), QKeySequence(Qt::CTRL | Qt::Key_T),
        [this] { emit exportWanted(*taken_); });
}

void NoteActions::take(const std::shared_ptr<const TakenNote>& taken) {
    before_ = std::exchange(taken_, taken);
    for (QAction* item : items_) {
        item->setEnabled(taken_ != nullptr);
    }
}

} // namespace app
