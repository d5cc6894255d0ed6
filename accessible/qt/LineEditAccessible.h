#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace accessible {

// The box selects its text as Tab brings the focus in and lets the selection go as the focus
// leaves; a screen reader told of those changes ahead of the focus speaks the number twice, and
// "unselected" on the way out. They are kept from it: the focus itself tells the selection.
// Install it after the box's other event filters, which then see each focus event once.
void keepFocusSelectionQuiet(QLineEdit& edit);

// A one-line box as a screen reader reads it. Qt 6.4's own interface for a line edit never
// returns when asked for the word at the end of its text, and reports attribute runs of no
// length, from which a reader builds a shorter line ("10" for "100"); this one answers every
// question at once, from the text's segments, with one run of attributes over the whole text.
class LineEditAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LineEditAccessible(QLineEdit& edit);

    void* interface_cast(QAccessible::InterfaceType type) override;
    [[nodiscard]] bool isValid() const override;
    [[nodiscard]] QAccessible::State state() const override;
    [[nodiscard]] QString text(QAccessible::Text type) const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    [[nodiscard]] int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    [[nodiscard]] int cursorPosition() const override;
    void setCursorPosition(int position) override;
    [[nodiscard]] QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    [[nodiscard]] int characterCount() const override;
    [[nodiscard]] QRect characterRect(int offset) const override;
    [[nodiscard]] int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    [[nodiscard]] QLineEdit& edit() const;
};

} // namespace accessible
