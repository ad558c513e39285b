#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace {

const QString AnnouncementName = QStringLiteral("announcement");

// Screen readers present a notification as it appears; the announcement is one, never shown on
// the screen (so that no showing of its window says it again), that each text makes appear.
QAccessibleInterface *announcementFactory(const QString &, QObject *object)
{
    if (object && object->isWidgetType() && object->objectName() == AnnouncementName)
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    return nullptr;
}

QWidget *announcementOf(QWidget *window)
{
    if (auto *known = window->findChild<QWidget *>(AnnouncementName, Qt::FindDirectChildrenOnly))
        return known;
    static const bool factoryInstalled = (QAccessible::installFactory(announcementFactory), true);
    Q_UNUSED(factoryInstalled);
    auto *announcement = new QWidget(window);
    announcement->setObjectName(AnnouncementName);
    announcement->setFocusPolicy(Qt::NoFocus);
    announcement->hide();
    return announcement;
}

} // namespace

void announce(QWidget *widget, const QString &text)
{
    if (!widget || text.isEmpty())
        return;
    QWidget *announcement = announcementOf(widget->window());
    announcement->setAccessibleName(text);
    QAccessibleEvent shown(announcement, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
