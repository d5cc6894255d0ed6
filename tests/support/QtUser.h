#pragma once

#include <QString>
#include <functional>
#include <vector>

class QLineEdit;
class QScrollBar;
class QWidget;

// What a person does to the real widgets, through real input events.
namespace qt_user {

void typeAt(QLineEdit& edit, int position, const QString& text);
void eraseAt(QLineEdit& edit, int position, int count);
// Select all, then paste from the clipboard: one change with the whole new text.
void pasteOver(QLineEdit& edit, const QString& text);

// Presses the thumb, moves it to where the value would be, calls whileHeld, releases.
void dragThumbTo(QScrollBar& bar, int value, const std::function<void()>& whileHeld = {});
// The values a thumb drag can land on, given the style's pixel geometry.
std::vector<int> reachableByDrag(QScrollBar& bar);

void pressKey(QWidget& widget, int key);

} // namespace qt_user
