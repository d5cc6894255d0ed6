#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QAccessibleWidget>
#include <QPointer>

class QAction;
class QMenu;

namespace accessible {

// An item of a popup menu as a screen reader reads it. Qt 6.4's own item is a plain menu item
// whatever it is: a toggle not ticked sounds like a command, a submenu like an item, and its
// shortcut comes in a form the reader does not speak. This one is a check or radio item that
// says its state, a menu that says it opens, and gives its shortcut as desktop toolkits do.
class MenuItemAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    MenuItemAccessible(QAction& action, QMenu& menu);

    [[nodiscard]] bool isValid() const override;
    [[nodiscard]] QObject* object() const override;
    [[nodiscard]] QWindow* window() const override;
    [[nodiscard]] QAccessibleInterface* parent() const override;
    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int childCount() const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override;
    [[nodiscard]] QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text type, const QString& text) override;
    [[nodiscard]] QRect rect() const override;
    [[nodiscard]] QAccessible::Role role() const override;
    [[nodiscard]] QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    [[nodiscard]] QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    [[nodiscard]] QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QPointer<QAction> action_;
    QPointer<QMenu> menu_;
};

// A popup menu whose items are the interfaces above. Qt's own menu finds only its plain items
// among its children, and a reader that cannot place an item in its menu stops answering.
class MenuAccessible final : public QAccessibleWidget {
public:
    explicit MenuAccessible(QMenu& menu);

    [[nodiscard]] int childCount() const override;
    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override;
    [[nodiscard]] QAccessibleInterface* focusChild() const override;

private:
    [[nodiscard]] QMenu& menu() const;
};

// The interface for a popup menu, or for an action when it stands in one; none otherwise.
QAccessibleInterface* describeMenu(QObject* object);

// A shortcut as GTK writes an accelerator ("<Control><Shift>c"), which screen readers speak.
QString acceleratorText(const QKeySequence& shortcut);

} // namespace accessible
