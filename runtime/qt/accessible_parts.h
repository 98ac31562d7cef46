// What assistive technology sees of a form's surface. The surface paints its
// labels and stacks picture boxes on one another, so its child widgets alone
// would say nothing useful; a surface with parts lists these instead, each a
// role, a place and a name worked out only when a screen reader asks. Name
// changes and the keyboard's focus are announced only while one listens,
// once per event handled, so a game played without one pays for nothing.
#pragma once

#include <QAccessible>
#include <QRect>
#include <QString>

#include <functional>
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

    void nameChanged(int index);
    // The surface took the keyboard focus: its focus part is what has it.
    void surfaceFocused();

    // A part's accessible object, made on first request and kept until the
    // surface goes.
    QAccessibleInterface* interfaceOf(int index);
    // The index of a part's object; -1 for any other object.
    int indexOf(const QAccessibleInterface* object) const;

private:
    void schedule();
    void announce();

    QWidget& surface_;
    std::vector<AccessiblePart> parts_;
    std::vector<QAccessible::Id> ids_;  // 0 until a screen reader asks
    std::vector<bool> renamed_;
    bool focusMoved_ = false;
    bool scheduled_ = false;
    int focus_ = -1;
};

}  // namespace koppelo::runtime::qt
