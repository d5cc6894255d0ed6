#pragma once

#include <QAccessibleWidget>
#include <QWidget>

namespace accessible {

// Words for a screen reader alone, spoken as a notification is when it appears: Qt 6.4 sends a
// changed description in a form Orca cannot speak, and has no announcements of its own. It
// takes one pixel and paints none, so what it stands over looks as before.
class Announcement final : public QWidget {
    Q_OBJECT

public:
    explicit Announcement(QWidget& parent);

    void say(const QString& words);
    [[nodiscard]] const QString& words() const { return words_; }

private:
    QString words_;
};

class AnnouncementAccessible final : public QAccessibleWidget {
public:
    explicit AnnouncementAccessible(Announcement& announcement);

    [[nodiscard]] QString text(QAccessible::Text type) const override;
};

} // namespace accessible
