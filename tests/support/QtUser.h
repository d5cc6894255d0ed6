#pragma once

#include <QString>
#include <QStyle>
#include <functional>

class QLineEdit;
class QScrollBar;

// What a person does to the real widgets, through real input events.
namespace qt_user {

// Select all, then paste from the clipboard: one change with the whole new text.
void pasteOver(QLineEdit& edit, const QString& text);

// Presses the thumb, moves it down by some pixels, calls whileHeld, releases.
void dragThumbDown(QScrollBar& bar, int pixels, const std::function<void()>& whileHeld);
// A click on one part of the bar: an arrow (SC_ScrollBarSubLine, SC_ScrollBarAddLine) or the
// track on either side of the thumb (SC_ScrollBarSubPage, SC_ScrollBarAddPage).
void clickPart(QScrollBar& bar, QStyle::SubControl part);

} // namespace qt_user
