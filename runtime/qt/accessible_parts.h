// What assistive technology sees of a form's surface. The surface paints its
// labels and stacks picture boxes on one another, so its child widgets alone
// would say nothing useful; a surface with parts lists these instead, each a
// role, a place and a name worked out only when a screen reader asks. A part
// whose state changes is told as a new object rather than as a renamed one,
// since Qt 6.4 sends a name change without the new name and screen readers
// then stay silent; the focused part is focused afresh, so its new state is
// spoken, and short notices ("geen paar") come from the status part as a
// status bar's notifications. All of it is told once per event handled and
// only while a screen reader listens, so a game played without one pays for
// nothing.
#pragma once

#include <QAccessible>
#include <QRect>
#include <QString>

#include <deque>
#include <functional>
#include <variant>
#include <vector>

class QWidget;

namespace koppelo::runtime::qt {

struct AccessiblePart {
    QAccessible::Role role;
    std::function<QString()> name;
    std::function<QRect()> place;      // in the surface's coordinates
    std::function<void()> press = {};  // a button's action; it takes the keyboard focus
};

class AccessibleParts {
public:
    explicit AccessibleParts(QWidget& surface);
    ~AccessibleParts();
    AccessibleParts(const AccessibleParts&) = delete;
    AccessibleParts& operator=(const AccessibleParts&) = delete;

    // The parts are listed in the order added, which is the reading order.
    int add(AccessiblePart part);
    int count() const { return static_cast<int>(parts_.size()); }
    const AccessiblePart& part(int index) const { return parts_.at(static_cast<std::size_t>(index)); }
    QWidget& surface() const { return surface_; }

    // The part that holds the keyboard focus whenever the surface has it.
    void setFocusPart(int index);
    int focusPart() const { return focus_; }
    // The part that notices come from, best a status bar: a screen reader
    // speaks a status bar's notification without naming its role.
    void setStatusPart(int index);
    int statusPart() const { return status_; }

    // What the part shows has changed.
    void changed(int index);
    // A short notice, told after what was told before it in this event.
    void announce(const QString& notice);
    // The surface took the keyboard focus: its focus part is what has it.
    void surfaceFocused();
    // Tells what is waiting now, before a modal window takes the keyboard
    // rather than after the event: a screen reader reads a focus only while
    // it is held, so the focused part's news goes out as a notice.
    void tellBeforeLeaving();

    // A part's accessible object, made on first request and kept until the
    // part changes or the surface goes.
    QAccessibleInterface* interfaceOf(int index);
    // The index of a part's object; -1 for any other object.
    int indexOf(const QAccessibleInterface* object) const;
    // The status part's latest notice, or nullptr before the first.
    QAccessibleInterface* latestNotice() const;

private:
    struct FocusMoved {};
    using Tiding = std::variant<FocusMoved, QString>;

    void tell(Tiding tiding);
    void schedule();
    void tellNow();
    void renew(int index);
    void notify(const QString& notice);

    QWidget& surface_;
    std::vector<AccessiblePart> parts_;
    std::vector<QAccessible::Id> ids_;  // 0 until a screen reader asks
    std::vector<bool> renewed_;
    std::vector<Tiding> tidings_;
    std::deque<QAccessible::Id> notices_;  // the latest last
    bool scheduled_ = false;
    int focus_ = -1;
    int status_ = -1;
};

// A widget that a screen reader sees as a list of parts, once it has any.
class WithAccessibleParts {
public:
    virtual AccessibleParts& accessibleParts() = 0;

protected:
    ~WithAccessibleParts() = default;
};

}  // namespace koppelo::runtime::qt
