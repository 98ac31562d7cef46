#include "accessible_parts.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <string>
#include <utility>

#include "runtime/qt/news_carrier.h"

namespace koppelo::runtime::qt {

namespace {

void tellScreenReader(QAccessibleInterface* object, QAccessible::Event event)
{
    QAccessibleEvent told(object, event);
    QAccessible::updateAccessibility(&told);
}

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
    void setText(QAccessible::Text, const QString&) override {}

    // The status part holds its latest news object, if any.
    QAccessibleInterface* child(int index) const override { return index == 0 ? latestNews() : nullptr; }
    int childCount() const override { return latestNews() != nullptr ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr && child == latestNews() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QAccessible::Role role() const override { return part().role; }

    QString text(QAccessible::Text which) const override
    {
        return which == QAccessible::Name ? part().name : QString();
    }

    QRect rect() const override
    {
        const QRect local = part().place;
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
        if (action == pressAction() && !parts_.underModal())
            part().press();
    }

private:
    const AccessiblePart& part() const { return parts_.part(index_); }
    QAccessibleInterface* latestNews() const { return parts_.statusPart() == index_ ? parts_.latestNews() : nullptr; }

    AccessibleParts& parts_;
    int index_;
};

// A surface with parts lists them, and nothing else, as its children; one
// without, or on its way out, is a plain widget with its child widgets.
// Asked for before its parts are added, it takes them up once they are.
class SurfaceInterface final : public QAccessibleWidget {
public:
    explicit SurfaceInterface(QWidget* surface) : QAccessibleWidget(surface) {}

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
    // Asked anew each time: in the widget's own destructor the parts are gone.
    AccessibleParts* parts() const
    {
        auto* owner = dynamic_cast<WithAccessibleParts*>(object());
        return owner && owner->accessibleParts().count() > 0 ? &owner->accessibleParts() : nullptr;
    }
};

QAccessibleInterface* partsFactory(const QString&, QObject* object)
{
    if (auto* widget = qobject_cast<QWidget*>(object); widget && dynamic_cast<WithAccessibleParts*>(object))
        return new SurfaceInterface(widget);
    return nullptr;
}

}  // namespace

runtime::Bridge builtBridge() { return runtime::Bridge::KOPPELO_BRIDGE; }

AccessibleParts::AccessibleParts(QWidget& surface, runtime::Bridge bridge)
    : surface_(surface), bridge_(bridge), news_(makeNewsCarrier(*this))
{
    // Cheap, and a no-op after the first surface: Qt keeps each factory once.
    QAccessible::installFactory(&partsFactory);
    QAccessible::installActivationObserver(this);
}

AccessibleParts::~AccessibleParts()
{
    QAccessible::removeActivationObserver(this);
    news_.reset();  // its news objects' parent is a part
    for (const QAccessible::Id id : ids_) {
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
    }
}

int AccessibleParts::add(AccessiblePart part)
{
    parts_.push_back(std::move(part));
    ids_.push_back(0);
    return count() - 1;
}

void AccessibleParts::addTexts(std::vector<AccessiblePart> texts)
{
    std::vector<std::string> names;
    for (const AccessiblePart& text : texts)
        names.push_back(text.name.toStdString());
    for (const std::vector<std::size_t>& run : runtime::readTogether(names)) {
        AccessiblePart together = texts.at(run.front());
        for (std::size_t k = 1; k < run.size(); ++k) {
            const AccessiblePart& next = texts.at(run[k]);
            together.name += QLatin1String(runtime::kReadTogetherJoint) + next.name;
            together.place |= next.place;
        }
        add(std::move(together));
    }
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

QAccessible::Id AccessibleParts::forget(int index) { return std::exchange(ids_.at(static_cast<std::size_t>(index)), 0); }

int AccessibleParts::indexOf(const QAccessibleInterface* object) const
{
    const auto* part = dynamic_cast<const PartInterface*>(object);
    return part != nullptr && &part->owner() == this ? part->index() : -1;
}

QAccessibleInterface* AccessibleParts::latestNews() const { return news_->latestNews(); }

void AccessibleParts::setFocusPart(int index)
{
    if (index == focus_)
        return;
    focus_ = index;
    if (surface_.hasFocus())
        surfaceFocused();
}

void AccessibleParts::setStatusPart(int index) { status_ = index; }

void AccessibleParts::surfaceFocused()
{
    if (!QAccessible::isActive() || focus_ < 0)
        return;
    announcer_.focusMoved(focus_);
    schedule();
}

void AccessibleParts::actedOn(int index)
{
    if (!QAccessible::isActive())
        return;
    announcer_.actedOn(index);
    schedule();
}

void AccessibleParts::renewed(int index)
{
    if (!QAccessible::isActive())
        return;
    announcer_.renewed(index);
    schedule();
}

void AccessibleParts::news(const QString& text)
{
    if (!QAccessible::isActive())
        return;
    announcer_.news(text.toStdString());
    schedule();
}

// A screen reader that connected after the window came up, which can happen
// on a busy machine, missed it coming up: it is told now that the window is
// active and where the focus is, as it would have been. Queued, as the
// toolkit's bridge is set up only after it reports active.
void AccessibleParts::accessibilityActiveChanged(bool active)
{
    if (!active)
        return;
    QMetaObject::invokeMethod(&surface_, [this] {
        if (!QAccessible::isActive() || !surface_.window()->isActiveWindow())
            return;
        QAccessible::State activated;
        activated.active = true;
        QAccessibleStateChangeEvent told(surface_.window(), activated);
        QAccessible::updateAccessibility(&told);
        if (surface_.hasFocus())
            surfaceFocused();
        tell();
    }, Qt::QueuedConnection);
}

// Once the event at hand is handled, however much it changed; not again if
// told since, which may have held the rest back for the keyboard.
void AccessibleParts::schedule()
{
    if (std::exchange(scheduled_, true))
        return;
    QMetaObject::invokeMethod(&surface_, [this] { if (scheduled_) tell(); }, Qt::QueuedConnection);
}

// Input waits meanwhile; the screen reader's questions over the bus do not.
void AccessibleParts::letNewsAheadOfModal() const
{
    if (!QAccessible::isActive())
        return;
    QEventLoop newsAhead;
    QTimer::singleShot(runtime::kNewsBeforeModalMs, &newsAhead, &QEventLoop::quit);
    newsAhead.exec(QEventLoop::ExcludeUserInputEvents);
}

// A modal window shown takes the keyboard, though it may not have it yet.
bool AccessibleParts::underModal() const
{
    const QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && modal != surface_.window();
}

void AccessibleParts::tell(runtime::Next next)
{
    scheduled_ = false;
    if (!QAccessible::isActive())
        return;
    std::vector<std::string> names;
    names.reserve(parts_.size());
    for (const AccessiblePart& part : parts_)
        names.push_back(part.name.toStdString());
    const int focus = surface_.hasFocus() && !underModal() ? focus_ : runtime::kNoPart;
    for (const runtime::BridgeEvent& event :
         runtime::eventsFor(bridge_, announcer_.flush(names, focus, next), statusPart(), names))
        raise(event);
}

void AccessibleParts::raise(const runtime::BridgeEvent& event)
{
    switch (event.kind) {
    case runtime::BridgeEvent::Kind::Renewed:
        renew(event.part);
        break;
    case runtime::BridgeEvent::Kind::Focused:
        tellScreenReader(interfaceOf(event.part), QAccessible::Focus);
        break;
    case runtime::BridgeEvent::Kind::Renamed:
        if (known(event.part))  // else nobody has its old name
            tellScreenReader(interfaceOf(event.part), QAccessible::NameChanged);
        break;
    case runtime::BridgeEvent::Kind::News:
        news_->tell(QString::fromStdString(event.text));
        break;
    }
}

// The old object goes and a new one takes its place.
void AccessibleParts::renew(int index)
{
    const QAccessible::Id old = forget(index);
    if (old == 0)
        return;  // never asked for: nobody knows it
    tellScreenReader(interfaceOf(index), QAccessible::ObjectCreated);
    tellScreenReader(QAccessible::accessibleInterface(old), QAccessible::ObjectDestroyed);
    QAccessible::deleteAccessibleInterface(old);
}

}  // namespace koppelo::runtime::qt
