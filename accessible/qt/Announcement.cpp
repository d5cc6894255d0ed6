#include "Announcement.h"

namespace accessible {

Announcement::Announcement(QWidget& parent) : QWidget(&parent) {
    setObjectName(QStringLiteral("announcement"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    hide();
}

// Each time afresh, so a reader speaks it even when the words are those of the last time.
void Announcement::say(const QString& words) {
    words_ = words;
    hide();
    show();
}

NotificationAccessible::NotificationAccessible(QWidget& widget)
    : QAccessibleWidget(&widget, QAccessible::Notification) {}

QString NotificationAccessible::text(QAccessible::Text type) const {
    return type == QAccessible::Name ? widget()->property("text").toString()
                                     : QAccessibleWidget::text(type);
}

} // namespace accessible
