// News as the status part's notifications (AT-SPI before Qt 6.8, which
// has no announcements): a status bar's notification that shows is what a
// screen reader speaks, without its role.
#include <QAccessible>
#include <QWidget>

#include <deque>
#include <utility>

#include "runtime/qt/accessible_parts.h"
#include "runtime/qt/news_carrier.h"

namespace koppelo::runtime::qt {

namespace {

// A screen reader reads the news when it gets to it, which on a busy machine
// may be dozens of news objects later; the latest this many stay readable.
constexpr std::size_t kKeptNews = 64;

// News as a child of the status part: one message, fixed when told.
class NewsObject final : public QAccessibleInterface {
public:
    NewsObject(AccessibleParts& parts, QString message) : parts_(parts), message_(std::move(message)) {}

    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parts_.surface().window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return parts_.interfaceOf(parts_.statusPart()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QString text(QAccessible::Text which) const override { return which == QAccessible::Name ? message_ : QString(); }
    QRect rect() const override { return parent()->rect(); }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !parts_.surface().isVisible();
        return state;
    }

private:
    AccessibleParts& parts_;
    QString message_;
};

class NewsAsNotifications final : public NewsCarrier {
public:
    explicit NewsAsNotifications(AccessibleParts& parts) : parts_(parts) {}

    ~NewsAsNotifications() override
    {
        for (const QAccessible::Id id : shown_)
            QAccessible::deleteAccessibleInterface(id);
    }

    void tell(const QString& news) override
    {
        if (parts_.statusPart() < 0)
            return;
        auto* made = new NewsObject(parts_, news);  // Qt's registry owns it from here
        shown_.push_back(QAccessible::registerAccessibleInterface(made));
        QAccessibleEvent shown(made, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
        if (shown_.size() > kKeptNews) {
            QAccessible::deleteAccessibleInterface(shown_.front());
            shown_.pop_front();
        }
    }

    QAccessibleInterface* latestNews() const override
    {
        return shown_.empty() ? nullptr : QAccessible::accessibleInterface(shown_.back());
    }

private:
    AccessibleParts& parts_;
    std::deque<QAccessible::Id> shown_;  // the latest last
};

}  // namespace

std::unique_ptr<NewsCarrier> makeNewsCarrier(AccessibleParts& parts)
{
    return std::make_unique<NewsAsNotifications>(parts);
}

}  // namespace koppelo::runtime::qt
