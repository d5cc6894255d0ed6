#include "MenuItemAccessible.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QWindow>

namespace accessible {

MenuItemAccessible::MenuItemAccessible(QAction& action, QMenu& menu)
    : action_(&action), menu_(&menu) {}

bool MenuItemAccessible::isValid() const {
    return action_ != nullptr && menu_ != nullptr;
}

QObject* MenuItemAccessible::object() const {
    return action_;
}

QWindow* MenuItemAccessible::window() const {
    return menu_ != nullptr ? menu_->windowHandle() : nullptr;
}

QAccessibleInterface* MenuItemAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(menu_);
}

QAccessibleInterface* MenuItemAccessible::child(int /*index*/) const {
    return nullptr;
}

int MenuItemAccessible::childCount() const {
    return 0;
}

int MenuItemAccessible::indexOfChild(const QAccessibleInterface* /*child*/) const {
    return -1;
}

QAccessibleInterface* MenuItemAccessible::childAt(int /*x*/, int /*y*/) const {
    return nullptr;
}

QString MenuItemAccessible::text(QAccessible::Text type) const {
    if (!isValid()) {
        return {};
    }
    switch (type) {
    case QAccessible::Name:
        return QString(action_->text()).remove(QLatin1Char('&'));
    case QAccessible::Accelerator:
        return action_->shortcut().toString(QKeySequence::NativeText);
    default:
        return {};
    }
}

void MenuItemAccessible::setText(QAccessible::Text /*type*/, const QString& /*text*/) {}

QRect MenuItemAccessible::rect() const {
    if (!isValid()) {
        return {};
    }
    const QRect area = menu_->actionGeometry(action_);
    return {menu_->mapToGlobal(area.topLeft()), area.size()};
}

QAccessible::Role MenuItemAccessible::role() const {
    if (!isValid() || action_->isSeparator()) {
        return QAccessible::Separator;
    }
    if (action_->menu() != nullptr) {
        return QAccessible::PopupMenu;
    }
    if (action_->isCheckable()) {
        const QActionGroup* group = action_->actionGroup();
        return group != nullptr && group->isExclusive() ? QAccessible::RadioButton
                                                        : QAccessible::CheckBox;
    }
    return QAccessible::MenuItem;
}

QAccessible::State MenuItemAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.focusable = true;
    state.disabled = !action_->isEnabled();
    state.invisible = !action_->isVisible() || !menu_->isVisible();
    state.focused = state.selected = state.hotTracked = menu_->activeAction() == action_;
    state.checkable = action_->isCheckable();
    state.checked = action_->isChecked();
    state.hasPopup = state.expandable = action_->menu() != nullptr;
    return state;
}

void* MenuItemAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
}

QStringList MenuItemAccessible::actionNames() const {
    if (!isValid() || !action_->isEnabled() || action_->isSeparator()) {
        return {};
    }
    return {action_->menu() != nullptr ? showMenuAction()
            : action_->isCheckable()   ? toggleAction()
                                       : pressAction()};
}

void MenuItemAccessible::doAction(const QString& actionName) {
    if (!actionNames().contains(actionName)) {
        return;
    }
    if (action_->menu() != nullptr) {
        menu_->setActiveAction(action_);
    } else {
        menu_->activateWindow();
        action_->trigger();
        menu_->close();
    }
}

// Screen readers read a binding as mnemonic, path and accelerator, separated by semicolons.
QStringList MenuItemAccessible::keyBindingsForAction(const QString& /*actionName*/) const {
    return {QString(), QString(), isValid() ? acceleratorText(action_->shortcut()) : QString()};
}

QString acceleratorText(const QKeySequence& shortcut) {
    if (shortcut.isEmpty()) {
        return {};
    }
    const QKeyCombination key = shortcut[0];
    QString text;
    for (const auto& [modifier, name] : {std::pair{Qt::ControlModifier, "<Control>"},
                                         {Qt::ShiftModifier, "<Shift>"},
                                         {Qt::AltModifier, "<Alt>"},
                                         {Qt::MetaModifier, "<Super>"}}) {
        if (key.keyboardModifiers().testFlag(modifier)) {
            text += QLatin1String(name);
        }
    }
    const QString name = QKeySequence(key.key()).toString(QKeySequence::PortableText);
    return text + (name.size() == 1 ? name.toLower() : name);
}

MenuAccessible::MenuAccessible(QMenu& menu) : QAccessibleWidget(&menu, QAccessible::PopupMenu) {}

QMenu& MenuAccessible::menu() const {
    return *static_cast<QMenu*>(widget());
}

int MenuAccessible::childCount() const {
    return static_cast<int>(menu().actions().size());
}

QAccessibleInterface* MenuAccessible::child(int index) const {
    const QList<QAction*> actions = menu().actions();
    return index >= 0 && index < actions.size()
               ? QAccessible::queryAccessibleInterface(actions[index])
               : nullptr;
}

int MenuAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child != nullptr ? static_cast<int>(menu().actions().indexOf(child->object())) : -1;
}

QAccessibleInterface* MenuAccessible::childAt(int x, int y) const {
    QAction* action = menu().actionAt(menu().mapFromGlobal(QPoint(x, y)));
    return action != nullptr ? QAccessible::queryAccessibleInterface(action) : nullptr;
}

QAccessibleInterface* MenuAccessible::focusChild() const {
    QAction* active = menu().activeAction();
    return active != nullptr ? QAccessible::queryAccessibleInterface(active) : nullptr;
}

QAccessibleInterface* describeMenu(QObject* object) {
    if (auto* menu = qobject_cast<QMenu*>(object)) {
        return new MenuAccessible(*menu);
    }
    auto* action = qobject_cast<QAction*>(object);
    if (action == nullptr) {
        return nullptr;
    }
    for (QObject* place : action->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(place)) {
            return new MenuItemAccessible(*action, *menu);
        }
    }
    return nullptr;
}

} // namespace accessible
