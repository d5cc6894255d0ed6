#include "Note.h"

namespace app {
namespace {

constexpr int noteMs = 4000;
constexpr int inset = 6;

} // namespace

Note::Note(QWidget& display) : QLabel(&display) {
    setObjectName(QStringLiteral("note"));
    setStyleSheet(QStringLiteral(
        "background: rgba(40, 40, 40, 220); color: white; padding: 4px; border-radius: 3px;"));
    setWordWrap(true);
    setFixedWidth(display.width() - 2 * inset);
    hiding_.setSingleShot(true);
    hiding_.setInterval(noteMs);
    connect(&hiding_, &QTimer::timeout, this, &QWidget::hide);
    hide();
}

// Nothing to dismiss. The same words again only stay longer: spoken once is enough. No words
// take the note away at once, when what it said no longer holds.
void Note::say(const QString& text) {
    if (text.isEmpty()) {
        hiding_.stop();
        hide();
        return;
    }
    hiding_.start();
    if (isVisible() && text == this->text()) {
        return;
    }
    hide();
    setText(text);
    adjustSize();
    move(inset, parentWidget()->height() - height() - inset);
    show();
    raise();
    emit shown();
}

} // namespace app
