// What a screen reader hears of the accessibility events the program sends,
// recorded in-process as they are sent: the name of whatever takes the focus,
// each notice or announcement, and a new name of what holds the focus. While
// it records, the platform's accessibility is on, as a screen reader turns it
// on; the offscreen platform otherwise keeps it off.
#pragma once

#include <QAccessible>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <string>
#include <utility>
#include <vector>

namespace koppelo::testkit {

class Heard {
public:
    Heard()
    {
        said().clear();
        platform().setActive(true);
        previous_ = QAccessible::installUpdateHandler(&hear);
    }
    ~Heard()
    {
        QAccessible::installUpdateHandler(previous_);
        platform().setActive(false);
    }
    Heard(const Heard&) = delete;
    Heard& operator=(const Heard&) = delete;

    // Heard since the last call, in order.
    std::vector<std::string> take() { return std::exchange(said(), {}); }

private:
    static std::vector<std::string>& said()
    {
        static std::vector<std::string> heard;
        return heard;
    }
    static QPlatformAccessibility& platform() { return *QGuiApplicationPrivate::platformIntegration()->accessibility(); }

    static void hear(QAccessibleEvent* event)
    {
        QAccessibleInterface* object = event->accessibleInterface();
        const QString name = object->text(QAccessible::Name);
        const bool heard = event->type() == QAccessible::Focus ||
                           (event->type() == QAccessible::ObjectShow && object->role() == QAccessible::Notification) ||
                           (event->type() == QAccessible::NameChanged && object->state().focused);
        if (heard && !name.isEmpty())
            said().push_back(name.toStdString());
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (event->type() == QAccessible::Announcement)
            said().push_back(static_cast<QAccessibleAnnouncementEvent*>(event)->message().toStdString());
#endif
    }

    QAccessible::UpdateHandler previous_ = nullptr;
};

}  // namespace koppelo::testkit
