// News as the toolkit's announcements (Qt 6.8 and later), polite: AT-SPI
// speaks them without a role, UI Automation raises them as notifications
// queued behind what a screen reader is saying.
#include <QAccessible>
#include <QWidget>

#include "runtime/qt/accessible_parts.h"
#include "runtime/qt/news_carrier.h"

namespace koppelo::runtime::qt {

namespace {

class NewsAsAnnouncements final : public NewsCarrier {
public:
    explicit NewsAsAnnouncements(AccessibleParts& parts) : parts_(parts) {}

    // From the window: a screen reader heeds every event of a window, where
    // it drops the second of two quick ones from most other objects.
    void tell(const QString& news) override
    {
        QAccessibleAnnouncementEvent announcement(parts_.surface().window(), news);
        QAccessible::updateAccessibility(&announcement);
    }

private:
    AccessibleParts& parts_;
};

}  // namespace

std::unique_ptr<NewsCarrier> makeNewsCarrier(AccessibleParts& parts)
{
    return std::make_unique<NewsAsAnnouncements>(parts);
}

}  // namespace koppelo::runtime::qt
