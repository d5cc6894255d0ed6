#include "QtTextBox.h"

#include <QLineEdit>
#include <algorithm>

namespace forms {

QtTextBox::QtTextBox(QLineEdit& edit, ErrorBoundary& boundary)
    : edit_(edit), lastReported_(edit.text()),
      connection_(QObject::connect(&edit, &QLineEdit::textChanged, &edit,
                                   [this, &boundary] { textChanged(boundary); })) {}

void QtTextBox::textChanged(ErrorBoundary& boundary) {
    if (edit_.text() == lastReported_) {
        return;
    }
    lastReported_ = edit_.text();
    boundary.run([this] { raiseChange(); });
}

std::string QtTextBox::text() const {
    return edit_.text().toStdString();
}

void QtTextBox::setText(std::string_view text) {
    const QString wanted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // QLineEdit::setText moves the caret to the end even when nothing changes.
    if (wanted == edit_.text()) {
        return;
    }
    const bool userIsTyping = edit_.hasFocus();
    const int caret = edit_.cursorPosition();
    edit_.setText(wanted);
    // A rewrite of the box being typed in keeps the caret where the user left it, so typing
    // goes on in the same place rather than jumping to the end.
    if (userIsTyping) {
        edit_.setCursorPosition(std::min(caret, static_cast<int>(edit_.text().size())));
    }
}

} // namespace forms
