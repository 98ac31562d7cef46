#include "accessible_parts.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QWidget>

#include <utility>

namespace koppelo::runtime::qt {

namespace {

// A screen reader reads a notice a little after it is told, so the latest
// few stay readable; older ones go.
constexpr std::size_t kKeptNotices = 4;

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

    // The status part holds its latest notice, if any.
    QAccessibleInterface* child(int index) const override { return index == 0 ? notice() : nullptr; }
    int childCount() const override { return notice() != nullptr ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr && child == notice() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

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
    QAccessibleInterface* notice() const { return parts_.statusPart() == index_ ? parts_.latestNotice() : nullptr; }

    AccessibleParts& parts_;
    int index_;
};

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

void tellScreenReader(QAccessibleInterface* object, QAccessible::Event event)
{
    QAccessibleEvent told(object, event);
    QAccessible::updateAccessibility(&told);
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
    for (const QAccessible::Id id : notices_)
        QAccessible::deleteAccessibleInterface(id);
}

int AccessibleParts::add(AccessiblePart part)
{
    parts_.push_back(std::move(part));
    ids_.push_back(0);
    renewed_.push_back(false);
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

QAccessibleInterface* AccessibleParts::latestNotice() const
{
    return notices_.empty() ? nullptr : QAccessible::accessibleInterface(notices_.back());
}

void AccessibleParts::setFocusPart(int index)
{
    if (index == focus_)
        return;
    focus_ = index;
    if (surface_.hasFocus())
        surfaceFocused();
}

void AccessibleParts::setStatusPart(int index) { status_ = index; }

void AccessibleParts::surfaceFocused() { tell(FocusMoved{}); }

void AccessibleParts::changed(int index)
{
    if (!QAccessible::isActive())
        return;
    renewed_.at(static_cast<std::size_t>(index)) = true;
    if (index == focus_)
        tell(FocusMoved{});
    else
        schedule();
}

void AccessibleParts::announce(const QString& notice) { tell(notice); }

void AccessibleParts::tell(Tiding tiding)
{
    if (!QAccessible::isActive())
        return;
    // The focus is told once, after whatever came before it last moved.
    if (std::holds_alternative<FocusMoved>(tiding))
        std::erase_if(tidings_, [](const Tiding& t) { return std::holds_alternative<FocusMoved>(t); });
    tidings_.push_back(std::move(tiding));
    schedule();
}

// After the event at hand: one new object per part however often it changed
// meanwhile, then the focus and the notices in the order they came.
void AccessibleParts::schedule()
{
    if (std::exchange(scheduled_, true))
        return;
    QMetaObject::invokeMethod(&surface_, [this] { tellNow(); }, Qt::QueuedConnection);
}

// The parts the news is about go first, then the news, then every other
// changed part: a screen reader takes new objects one at a time, and a new
// deal makes one for every card, which would hold back "Nieuw spel" for
// seconds on a busy machine.
void AccessibleParts::tellNow()
{
    scheduled_ = false;
    renew(focus_);
    renew(status_);
    for (const Tiding& tiding : std::exchange(tidings_, {})) {
        if (const auto* notice = std::get_if<QString>(&tiding))
            notify(*notice);
        else if (surface_.hasFocus() && focus_ >= 0)
            tellScreenReader(interfaceOf(focus_), QAccessible::Focus);
    }
    for (int i = 0; i < count(); ++i)
        renew(i);
}

void AccessibleParts::tellBeforeLeaving()
{
    for (Tiding& tiding : tidings_) {
        if (std::holds_alternative<FocusMoved>(tiding) && focus_ >= 0)
            tiding = part(focus_).name();
    }
    tellNow();
}

// A changed part's old object goes and a new one takes its place, so that a
// screen reader asks afresh for everything about it.
void AccessibleParts::renew(int index)
{
    if (index < 0 || !renewed_.at(static_cast<std::size_t>(index)))
        return;
    renewed_[static_cast<std::size_t>(index)] = false;
    const QAccessible::Id old = std::exchange(ids_.at(static_cast<std::size_t>(index)), 0);
    if (old == 0)
        return;  // never asked for: nobody knows it
    tellScreenReader(interfaceOf(index), QAccessible::ObjectCreated);
    tellScreenReader(QAccessible::accessibleInterface(old), QAccessible::ObjectDestroyed);
    QAccessible::deleteAccessibleInterface(old);
}

// A status bar's notification that shows is what a screen reader speaks.
void AccessibleParts::notify(const QString& notice)
{
    if (status_ < 0)
        return;
    auto* made = new NoticeInterface(*this, notice);  // Qt's registry owns it from here
    notices_.push_back(QAccessible::registerAccessibleInterface(made));
    tellScreenReader(made, QAccessible::ObjectShow);
    if (notices_.size() > kKeptNotices) {
        QAccessible::deleteAccessibleInterface(notices_.front());
        notices_.pop_front();
    }
}

}  // namespace koppelo::runtime::qt
