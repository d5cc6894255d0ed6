#include "LineEditAccessible.h"

#include "accessible/TextSegments.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <algorithm>

namespace accessible {
namespace {

Boundary boundaryOf(QAccessible::TextBoundaryType type) {
    switch (type) {
    case QAccessible::CharBoundary:
        return Boundary::Character;
    case QAccessible::WordBoundary:
        return Boundary::Word;
    default: // a line holds one sentence, one paragraph, all there is
        return Boundary::Line;
    }
}

std::u16string_view unitsOf(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

QString answer(const QString& text, Segment segment, int* startOffset, int* endOffset) {
    *startOffset = segment.start;
    *endOffset = segment.end;
    return text.mid(segment.start, segment.end - segment.start);
}

constexpr const char* focusing = "tonvirtaFocusing";

// While the box handles the focus coming or going its interface is not valid, so Qt sends no
// event of it (the selection's change); the focus, told after, tells the selection.
class QuietFocusSelection final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool focus = event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut;
        if (!focus || watched->property(focusing).toBool()) {
            return QObject::eventFilter(watched, event);
        }
        watched->setProperty(focusing, true);
        QCoreApplication::sendEvent(watched, event);
        watched->setProperty(focusing, false);
        return true;
    }
};

} // namespace

void keepFocusSelectionQuiet(QLineEdit& edit) {
    edit.installEventFilter(new QuietFocusSelection(&edit));
}

LineEditAccessible::LineEditAccessible(QLineEdit& edit)
    : QAccessibleWidget(&edit, QAccessible::EditableText) {}

QLineEdit& LineEditAccessible::edit() const {
    return *static_cast<QLineEdit*>(widget());
}

void* LineEditAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                              : QAccessibleWidget::interface_cast(type);
}

bool LineEditAccessible::isValid() const {
    return QAccessibleWidget::isValid() && !edit().property(focusing).toBool();
}

QAccessible::State LineEditAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !edit().isReadOnly();
    state.selectableText = true;
    state.multiLine = false;
    return state;
}

QString LineEditAccessible::text(QAccessible::Text type) const {
    return type == QAccessible::Value ? edit().text() : QAccessibleWidget::text(type);
}

void LineEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && edit().hasSelectedText()) {
        *startOffset = edit().selectionStart();
        *endOffset = edit().selectionEnd();
    }
}

int LineEditAccessible::selectionCount() const {
    return edit().hasSelectedText() ? 1 : 0;
}

void LineEditAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void LineEditAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        edit().deselect();
    }
}

void LineEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) {
        const int start = std::clamp(startOffset, 0, characterCount());
        edit().setSelection(start, std::clamp(endOffset, 0, characterCount()) - start);
    }
}

int LineEditAccessible::cursorPosition() const {
    return edit().cursorPosition();
}

void LineEditAccessible::setCursorPosition(int position) {
    edit().setCursorPosition(std::clamp(position, 0, characterCount()));
}

QString LineEditAccessible::text(int startOffset, int endOffset) const {
    const int start = std::clamp(startOffset, 0, characterCount());
    const int end =
        endOffset < 0 ? characterCount() : std::clamp(endOffset, start, characterCount());
    return edit().text().mid(start, end - start);
}

QString LineEditAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    const QString text = edit().text();
    return answer(text, segmentBefore(unitsOf(text), offset, boundaryOf(boundaryType)), startOffset,
                  endOffset);
}

QString LineEditAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    const QString text = edit().text();
    return answer(text, segmentAfter(unitsOf(text), offset, boundaryOf(boundaryType)), startOffset,
                  endOffset);
}

QString LineEditAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const {
    const QString text = edit().text();
    return answer(text, segmentAt(unitsOf(text), offset, boundaryOf(boundaryType)), startOffset,
                  endOffset);
}

int LineEditAccessible::characterCount() const {
    return static_cast<int>(edit().text().size());
}

// Laid out as the box lays out a text that fits it: from the left of its contents, centred
// in height. Asking must not move the caret, which would lose the selection.
QRect LineEditAccessible::characterRect(int offset) const {
    const QLineEdit& box = edit();
    const int at = std::clamp(offset, 0, characterCount());
    const QFontMetrics metrics = box.fontMetrics();
    const QRect inside = box.contentsRect().marginsRemoved(box.textMargins());
    const QRect character(inside.left() + metrics.horizontalAdvance(box.text().left(at)),
                          inside.top() + (inside.height() - metrics.height()) / 2,
                          metrics.horizontalAdvance(box.text().mid(at, 1)), metrics.height());
    return {box.mapToGlobal(character.topLeft()), character.size()};
}

int LineEditAccessible::offsetAtPoint(const QPoint& point) const {
    return edit().cursorPositionAt(edit().mapFromGlobal(point));
}

void LineEditAccessible::scrollToSubstring(int startIndex, int /*endIndex*/) {
    setCursorPosition(startIndex);
}

// One run over the whole text, with nothing to tell of it: the box has one font and one colour.
QString LineEditAccessible::attributes(int /*offset*/, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

} // namespace accessible
