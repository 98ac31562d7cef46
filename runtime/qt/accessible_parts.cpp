#include "accessible_parts.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QWidget>

#include <utility>

#include "runtime/qt/form_surface.h"
#include "runtime/qt/picture_box_view.h"

namespace koppelo::runtime::qt {

namespace {

// One part: no object of its own behind it, only the list that describes it.
class PartInterface final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PartInterface(AccessibleParts& parts, int index) : parts_(parts), index_(index) {}

    const AccessibleParts& owner() const { return parts_; }
    int index() const { return index_; }

    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parts_.surface().window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(&parts_.surface()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return part().role; }

    QString text(QAccessible::Text which) const override
    {
        return which == QAccessible::Name ? part().name() : QString();
    }

    QRect rect() const override
    {
        const QRect local = part().place();
        return {parts_.surface().mapToGlobal(local.topLeft()), local.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !parts_.surface().isVisible();
        if (part().press) {
            state.focusable = true;
            state.focused = parts_.surface().hasFocus() && parts_.focusPart() == index_;
        }
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface && part().press)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // A window under a modal dialog takes no input, not even from a screen reader.
    void doAction(const QString& action) override
    {
        const QWidget* modal = QApplication::activeModalWidget();
        if (action == pressAction() && (modal == nullptr || modal == parts_.surface().window()))
            part().press();
    }

private:
    const AccessiblePart& part() const { return parts_.part(index_); }

    AccessibleParts& parts_;
    int index_;
};

// A surface with parts lists them, and nothing else, as its children; one
// without, or on its way out, is a plain widget with its child widgets.
// Asked for before its parts are added, it takes them up once they are.
class SurfaceInterface final : public QAccessibleWidget {
public:
    explicit SurfaceInterface(FormSurface* surface) : QAccessibleWidget(surface) {}

    int childCount() const override { return parts() ? parts()->count() : QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (!parts())
            return QAccessibleWidget::child(index);
        return index >= 0 && index < parts()->count() ? parts()->interfaceOf(index) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return parts() ? parts()->indexOf(child) : QAccessibleWidget::indexOfChild(child);
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        if (!parts())
            return QAccessibleWidget::childAt(x, y);
        for (int i = 0; i < childCount(); ++i) {
            if (QAccessibleInterface* part = child(i); part->rect().contains(x, y))
                return part;
        }
        return nullptr;
    }

    QAccessibleInterface* focusChild() const override
    {
        if (parts() && widget()->hasFocus() && parts()->focusPart() >= 0)
            return parts()->interfaceOf(parts()->focusPart());
        return QAccessibleWidget::focusChild();
    }

private:
    AccessibleParts* parts() const
    {
        auto* surface = qobject_cast<FormSurface*>(object());
        return surface && surface->accessibleParts().count() > 0 ? &surface->accessibleParts() : nullptr;
    }
};

QAccessibleInterface* partsFactory(const QString&, QObject* object)
{
    if (auto* surface = qobject_cast<FormSurface*>(object))
        return new SurfaceInterface(surface);
    if (auto* box = qobject_cast<PictureBoxView*>(object))
        return new QAccessibleWidget(box, QAccessible::Graphic);
    return nullptr;
}

}  // namespace

AccessibleParts::AccessibleParts(QWidget& surface) : surface_(surface)
{
    // Cheap, and a no-op after the first surface: Qt keeps each factory once.
    QAccessible::installFactory(&partsFactory);
}

AccessibleParts::~AccessibleParts()
{
    for (const QAccessible::Id id : ids_) {
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
    }
}

int AccessibleParts::add(AccessiblePart part)
{
    parts_.push_back(std::move(part));
    ids_.push_back(0);
    renamed_.push_back(false);
    return count() - 1;
}

QAccessibleInterface* AccessibleParts::interfaceOf(int index)
{
    QAccessible::Id& id = ids_.at(static_cast<std::size_t>(index));
    if (QAccessibleInterface* made = id != 0 ? QAccessible::accessibleInterface(id) : nullptr)
        return made;
    auto* made = new PartInterface(*this, index);  // Qt's registry owns it from here
    id = QAccessible::registerAccessibleInterface(made);
    return made;
}

int AccessibleParts::indexOf(const QAccessibleInterface* object) const
{
    const auto* part = dynamic_cast<const PartInterface*>(object);
    return part != nullptr && &part->owner() == this ? part->index() : -1;
}

void AccessibleParts::setFocusPart(int index)
{
    if (index == focus_)
        return;
    focus_ = index;
    if (surface_.hasFocus())
        surfaceFocused();
}

void AccessibleParts::surfaceFocused()
{
    if (!QAccessible::isActive())
        return;
    focusMoved_ = true;
    schedule();
}

void AccessibleParts::nameChanged(int index)
{
    if (!QAccessible::isActive())
        return;
    renamed_.at(static_cast<std::size_t>(index)) = true;
    schedule();
}

// After the event at hand: one announcement per part however often its name
// changed meanwhile, and a focus that comes after the surface's own.
void AccessibleParts::schedule()
{
    if (scheduled_)
        return;
    scheduled_ = true;
    QMetaObject::invokeMethod(&surface_, [this] { announce(); }, Qt::QueuedConnection);
}

void AccessibleParts::announce()
{
    scheduled_ = false;
    for (int i = 0; i < count(); ++i) {
        if (!renamed_[static_cast<std::size_t>(i)])
            continue;
        renamed_[static_cast<std::size_t>(i)] = false;
        QAccessibleEvent renamed(interfaceOf(i), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
    if (std::exchange(focusMoved_, false) && surface_.hasFocus() && focus_ >= 0) {
        QAccessibleEvent focused(interfaceOf(focus_), QAccessible::Focus);
        QAccessible::updateAccessibility(&focused);
    }
}

}  // namespace koppelo::runtime::qt
