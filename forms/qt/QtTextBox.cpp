#include "QtTextBox.h"

#include "forms/Caret.h"

#include <QLineEdit>

namespace forms {
namespace {

std::u16string_view utf16(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace

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
    const QString before = edit_.text();
    const auto caret = static_cast<std::size_t>(edit_.cursorPosition());
    edit_.setText(wanted);
    // The toolkit puts the caret at the end; in the box being typed in it goes back to where
    // the user was. Elsewhere it goes to the start: a narrow box then shows the leading, most
    // telling digits rather than the last ones.
    const std::size_t position =
        userIsTyping ? caretAfterRewrite(utf16(before), caret, utf16(edit_.text())) : 0;
    edit_.setCursorPosition(static_cast<int>(position));
}

} // namespace forms
