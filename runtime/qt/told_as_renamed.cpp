// Where the bridge sends a name change with the new name (AT-SPI from Qt
// 6.8), a screen reader speaks it for the object under its focus, so a part
// that changed is told by its name change and no object is ever made anew.
#include <QAccessible>

#include "runtime/qt/accessible_parts.h"
#include "runtime/qt/screen_reader_way.h"

namespace koppelo::runtime::qt {

namespace {

class ToldAsRenamed final : public ScreenReaderWay {
public:
    explicit ToldAsRenamed(AccessibleParts& parts) : ScreenReaderWay(makeNewsCarrier(parts)), parts_(parts) {}

    void tell(const std::vector<runtime::Telling>& told) override
    {
        for (const runtime::Telling& item : told) {
            switch (item.kind) {
            case runtime::Telling::Kind::Focus:
                focus(item);
                break;
            case runtime::Telling::Kind::News:
                news().tell(QString::fromStdString(item.news));
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
    // stayed the same, by its name told as news.
    void focus(const runtime::Telling& item)
    {
        if (item.renamed)
            renamed(item.part);
        if (item.moved) {
            QAccessibleEvent focused(parts_.interfaceOf(item.part), QAccessible::Focus);
            QAccessible::updateAccessibility(&focused);
        } else if (!item.renamed) {
            news().tell(parts_.part(item.part).name());
        }
    }

    void renamed(int index)
    {
        if (!parts_.known(index))
            return;  // never asked for: nobody has its old name
        QAccessibleEvent named(parts_.interfaceOf(index), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
    }

    AccessibleParts& parts_;
};

}  // namespace

std::unique_ptr<ScreenReaderWay> makeScreenReaderWay(AccessibleParts& parts)
{
    return std::make_unique<ToldAsRenamed>(parts);
}

}  // namespace koppelo::runtime::qt
