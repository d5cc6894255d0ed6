#pragma once

#include <QAccessibleWidget>
#include <QWidget>

namespace accessible {

// Words for a screen reader alone, spoken as a notification is when it appears: Qt 6.4 sends a
// changed description in a form Orca cannot speak, and has no announcements of its own. It
// takes one pixel and paints none, so what it stands over looks as before.
class Announcement final : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text)

public:
    explicit Announcement(QWidget& parent);

    void say(const QString& words);
    [[nodiscard]] const QString& text() const { return words_; }

private:
    QString words_;
};

// A widget whose text is spoken when it appears, as a desktop notification is: an announcement,
// or a note over the display (a label).
class NotificationAccessible final : public QAccessibleWidget {
public:
    explicit NotificationAccessible(QWidget& widget);

    [[nodiscard]] QString text(QAccessible::Text type) const override;
};

} // namespace accessible
