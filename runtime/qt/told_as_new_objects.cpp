// Qt before 6.8 sends a name change without the new name, and a screen reader
// then says nothing; so a changed part is told as a new object, the focused
// one focused afresh, and news comes as the status part's notifications.
#include <QAccessible>
#include <QWidget>

#include <deque>
#include <set>
#include <utility>

#include "runtime/qt/accessible_parts.h"
#include "runtime/qt/screen_reader_way.h"

namespace koppelo::runtime::qt {

namespace {

// A screen reader reads a notice when it gets to it, which on a busy machine
// may be dozens of notices later; the latest this many stay readable.
constexpr std::size_t kKeptNotices = 64;

void tellScreenReader(QAccessibleInterface* object, QAccessible::Event event)
{
    QAccessibleEvent told(object, event);
    QAccessible::updateAccessibility(&told);
}

// A notice of the status part: one message, fixed when told.
class NoticeInterface final : public QAccessibleInterface {
public:
    NoticeInterface(AccessibleParts& parts, QString message) : parts_(parts), message_(std::move(message)) {}

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

class ToldAsNewObjects final : public ScreenReaderWay {
public:
    explicit ToldAsNewObjects(AccessibleParts& parts) : parts_(parts) {}

    ~ToldAsNewObjects() override
    {
        for (const QAccessible::Id id : notices_)
            QAccessible::deleteAccessibleInterface(id);
    }

    // The parts the news is about are made anew first (the focused part and
    // the status part, the notices' parent), then everything is told in its
    // order.
    void tell(const std::vector<runtime::Telling>& told) override
    {
        for (const runtime::Telling& item : told) {
            if (item.changed && (item.kind == runtime::Telling::Kind::Focus || item.part == parts_.statusPart()))
                renew(item.part);
        }
        for (const runtime::Telling& item : told) {
            switch (item.kind) {
            case runtime::Telling::Kind::Focus:
                tellScreenReader(parts_.interfaceOf(item.part), QAccessible::Focus);
                break;
            case runtime::Telling::Kind::News:
                notify(QString::fromStdString(item.news));
                break;
            case runtime::Telling::Kind::Changed:
                renew(item.part);
                break;
            }
        }
        renewedNow_.clear();
    }

    QAccessibleInterface* latestNotice() const override
    {
        return notices_.empty() ? nullptr : QAccessible::accessibleInterface(notices_.back());
    }

private:
    // The old object goes and a new one takes its place, so that a screen
    // reader asks afresh for everything about the part; once per telling.
    void renew(int index)
    {
        if (!renewedNow_.insert(index).second)
            return;
        const QAccessible::Id old = parts_.forget(index);
        if (old == 0)
            return;  // never asked for: nobody knows it
        tellScreenReader(parts_.interfaceOf(index), QAccessible::ObjectCreated);
        tellScreenReader(QAccessible::accessibleInterface(old), QAccessible::ObjectDestroyed);
        QAccessible::deleteAccessibleInterface(old);
    }

    // A status bar's notification that shows is what a screen reader speaks.
    void notify(const QString& notice)
    {
        if (parts_.statusPart() < 0)
            return;
        auto* made = new NoticeInterface(parts_, notice);  // Qt's registry owns it from here
        notices_.push_back(QAccessible::registerAccessibleInterface(made));
        tellScreenReader(made, QAccessible::ObjectShow);
        if (notices_.size() > kKeptNotices) {
            QAccessible::deleteAccessibleInterface(notices_.front());
            notices_.pop_front();
        }
    }

    AccessibleParts& parts_;
    std::deque<QAccessible::Id> notices_;  // the latest last
    std::set<int> renewedNow_;
};

}  // namespace

std::unique_ptr<ScreenReaderWay> makeScreenReaderWay(AccessibleParts& parts)
{
    return std::make_unique<ToldAsNewObjects>(parts);
}

}  // namespace koppelo::runtime::qt
