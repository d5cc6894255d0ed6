#pragma once

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace app {

// An item of the display's menu whose key works while the display has the focus; the menu
// shows the key beside it.
inline QAction* addDisplayItem(QWidget& display, QMenu& menu, const QString& text,
                               const QKeySequence& key, bool checkable = false) {
    auto* action = new QAction(text, &display);
    action->setCheckable(checkable);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetShortcut);
    display.addAction(action);
    menu.addAction(action);
    return action;
}

} // namespace app
