#include "screen_reader_way.h"

#include <QAccessible>

#include "runtime/qt/accessible_parts.h"

namespace koppelo::runtime::qt {

namespace {

constexpr runtime::Bridge kBridge = runtime::Bridge::KOPPELO_BRIDGE;

void tellScreenReader(QAccessibleInterface* object, QAccessible::Event event)
{
    QAccessibleEvent told(object, event);
    QAccessible::updateAccessibility(&told);
}

}  // namespace

ScreenReaderWay::ScreenReaderWay(AccessibleParts& parts) : parts_(parts), news_(makeNewsCarrier(parts)) {}

void ScreenReaderWay::tell(const std::vector<runtime::Telling>& told, const std::vector<std::string>& names)
{
    for (const runtime::Signal& signal : runtime::signalsFor(kBridge, told, parts_.statusPart(), names))
        raise(signal);
}

void ScreenReaderWay::raise(const runtime::Signal& signal)
{
    switch (signal.kind) {
    case runtime::Signal::Kind::Renewed:
        renew(signal.part);
        break;
    case runtime::Signal::Kind::Focused:
        tellScreenReader(parts_.interfaceOf(signal.part), QAccessible::Focus);
        break;
    case runtime::Signal::Kind::Renamed:
        if (parts_.known(signal.part))  // else nobody has its old name
            tellScreenReader(parts_.interfaceOf(signal.part), QAccessible::NameChanged);
        break;
    case runtime::Signal::Kind::News:
        news_->tell(QString::fromStdString(signal.text));
        break;
    }
}

// The old object goes and a new one takes its place.
void ScreenReaderWay::renew(int index)
{
    const QAccessible::Id old = parts_.forget(index);
    if (old == 0)
        return;  // never asked for: nobody knows it
    tellScreenReader(parts_.interfaceOf(index), QAccessible::ObjectCreated);
    tellScreenReader(QAccessible::accessibleInterface(old), QAccessible::ObjectDestroyed);
    QAccessible::deleteAccessibleInterface(old);
}

}  // namespace koppelo::runtime::qt
