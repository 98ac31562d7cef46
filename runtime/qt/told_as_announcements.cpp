// Qt 6.8 sends a name change with the new name, and a screen reader speaks
// it for the object under its focus; news goes out as announcements, spoken
// without a role. No object is ever made anew.
#include <QAccessible>
#include <QWidget>

#include "runtime/qt/accessible_parts.h"
#include "runtime/qt/screen_reader_way.h"

namespace koppelo::runtime::qt {

namespace {

class ToldAsAnnouncements final : public ScreenReaderWay {
public:
    explicit ToldAsAnnouncements(AccessibleParts& parts) : parts_(parts) {}

    void tell(const std::vector<runtime::Telling>& told) override
    {
        for (const runtime::Telling& item : told) {
            switch (item.kind) {
            case runtime::Telling::Kind::Focus:
                focus(item);
                break;
            case runtime::Telling::Kind::News:
                announce(QString::fromStdString(item.news));
                break;
            case runtime::Telling::Kind::Changed:
                if (item.renamed)
                    renamed(item.part);
                break;
            }
        }
    }

private:
    // A part the focus stays on is spoken by its name change; one whose name
    // stayed the same, by its name announced.
    void focus(const runtime::Telling& item)
    {
        if (item.renamed)
            renamed(item.part);
        if (item.moved) {
            QAccessibleEvent focused(parts_.interfaceOf(item.part), QAccessible::Focus);
            QAccessible::updateAccessibility(&focused);
        } else if (!item.renamed) {
            announce(parts_.part(item.part).name());
        }
    }

    void renamed(int index)
    {
        if (!parts_.known(index))
            return;  // never asked for: nobody has its old name
        QAccessibleEvent named(parts_.interfaceOf(index), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
    }

    // From the window: a screen reader heeds every event of a window, where
    // it drops the second of two quick ones from most other objects.
    void announce(const QString& news)
    {
        QAccessibleAnnouncementEvent announcement(parts_.surface().window(), news);
        QAccessible::updateAccessibility(&announcement);
    }

    AccessibleParts& parts_;
};

}  // namespace

std::unique_ptr<ScreenReaderWay> makeScreenReaderWay(AccessibleParts& parts)
{
    return std::make_unique<ToldAsAnnouncements>(parts);
}

}  // namespace koppelo::runtime::qt
