// Where the bridge sends a name change without the new name (AT-SPI before
// Qt 6.8) or not at all (UI Automation, but for combo boxes), a screen reader
// would say nothing of a part that changed; so it is told as a new object,
// the focused one focused afresh.
#include <QAccessible>

#include <set>

#include "runtime/qt/accessible_parts.h"
#include "runtime/qt/screen_reader_way.h"

namespace koppelo::runtime::qt {

namespace {

// Under UI Automation the toolkit itself focuses the card, by its element and
// its name then, whenever the board takes the keyboard back, and a screen
// reader reads a newly focused element afresh: the card is made anew there
// only if it became a new card since. Under AT-SPI a screen reader keeps the
// name it last had, so a renamed card the keyboard comes to is made anew too.
#ifdef KOPPELO_TOOLKIT_FOCUSES_THE_CARD
constexpr bool kToolkitFocusesTheCard = true;
#else
constexpr bool kToolkitFocusesTheCard = false;
#endif

bool madeAnew(const runtime::Telling& item)
{
    if (item.kind == runtime::Telling::Kind::Focus && item.moved && kToolkitFocusesTheCard)
        return item.renewed;
    return item.changed;
}

void tellScreenReader(QAccessibleInterface* object, QAccessible::Event event)
{
    QAccessibleEvent told(object, event);
    QAccessible::updateAccessibility(&told);
}

class ToldAsNewObjects final : public ScreenReaderWay {
public:
    explicit ToldAsNewObjects(AccessibleParts& parts) : ScreenReaderWay(makeNewsCarrier(parts)), parts_(parts) {}

    // The parts the news is about are made anew first (the focused part and
    // the status part, where notices are its children), then everything is
    // told in its order.
    void tell(const std::vector<runtime::Telling>& told) override
    {
        for (const runtime::Telling& item : told) {
            if (madeAnew(item) && (item.kind == runtime::Telling::Kind::Focus || item.part == parts_.statusPart()))
                renew(item.part);
        }
        for (const runtime::Telling& item : told) {
            switch (item.kind) {
            case runtime::Telling::Kind::Focus:
                tellScreenReader(parts_.interfaceOf(item.part), QAccessible::Focus);
                break;
            case runtime::Telling::Kind::News:
                news().tell(QString::fromStdString(item.news));
                break;
            case runtime::Telling::Kind::Changed:
                renew(item.part);
                break;
            }
        }
        renewedNow_.clear();
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

    AccessibleParts& parts_;
    std::set<int> renewedNow_;
};

}  // namespace

std::unique_ptr<ScreenReaderWay> makeScreenReaderWay(AccessibleParts& parts)
{
    return std::make_unique<ToldAsNewObjects>(parts);
}

}  // namespace koppelo::runtime::qt
