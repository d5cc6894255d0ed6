#pragma once

#include <QLabel>
#include <QTimer>

namespace app {

// A short note over the display that goes away by itself. Each note appears afresh, so a
// screen reader speaks it even when it replaces one still showing.
class Note final : public QLabel {
    Q_OBJECT

public:
    explicit Note(QWidget& display);

    // Empty to take the note away.
    void say(const QString& text);

signals:
    // New words have appeared.
    void shown();

private:
    QTimer hiding_;
};

} // namespace app
