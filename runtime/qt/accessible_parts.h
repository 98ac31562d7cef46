// What assistive technology sees of a form's surface. The surface paints its
// labels and stacks picture boxes on one another, so its child widgets alone
// would say nothing useful; a surface with parts lists these instead, each a
// role, a place and a name, which the surface's owner keeps up to date. What
// happens to the parts (the focus moved, a part acted on or new, news) is
// gathered while an event is handled and told once the owner has presented
// it: the announcer lays out what, in which order and as which events of
// the bridge in use, and the parts raise them. All of it only while a
// screen reader listens, so a game played without one pays for nothing.
#pragma once

#include <QAccessible>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "runtime/announcer.h"

class QWidget;

namespace koppelo::runtime::qt {

struct AccessiblePart {
    QAccessible::Role role;
    QString name;
    QRect place;                       // in the surface's coordinates
    std::function<void()> press = {};  // a button's action, the player's input; it takes the keyboard focus
};

class NewsCarrier;

// The bridge this build talks to, picked with its news carrier in this
// folder's CMake file.
runtime::Bridge builtBridge();

class AccessibleParts : private QAccessible::ActivationObserver {
public:
    explicit AccessibleParts(QWidget& surface, runtime::Bridge bridge = builtBridge());
    ~AccessibleParts() override;
    AccessibleParts(const AccessibleParts&) = delete;
    AccessibleParts& operator=(const AccessibleParts&) = delete;

    // The parts are listed in the order added, which is the reading order.
    int add(AccessiblePart part);
    // Static texts a screen reader reads out as a dialog opens, in reading
    // order; short ones are read together, as the announcer says.
    void addTexts(std::vector<AccessiblePart> texts);
    int count() const { return static_cast<int>(parts_.size()); }
    const AccessiblePart& part(int index) const { return parts_.at(static_cast<std::size_t>(index)); }
    // What the part shows now.
    void rename(int index, QString name) { parts_.at(static_cast<std::size_t>(index)).name = std::move(name); }
    QWidget& surface() const { return surface_; }

    // The part that holds the keyboard focus whenever the surface has it.
    void setFocusPart(int index);
    int focusPart() const { return focus_; }
    // The part whose notifications carry the news where this Qt's way shows
    // news as objects, best a status bar: a screen reader speaks a status
    // bar's notification without its role.
    void setStatusPart(int index);
    int statusPart() const { return status_; }

    // The player acted on a part: its news comes in this place.
    void actedOn(int index);
    // A part shows something new, though its name may be the same.
    void renewed(int index);
    // News, told after what was told before it in this event.
    void news(const QString& text);
    // The surface took the keyboard focus: its focus part is what has it.
    void surfaceFocused();
    // Whether a modal window other than the surface's own is open: then the
    // surface takes no input, and the keyboard is not on it.
    bool underModal() const;
    // Tells what is waiting, as the announcer lays it out.
    void tell(runtime::Next next = runtime::Next::KeyboardStays);
    // Called just before a modal window opens on news just told: while a
    // screen reader listens, gives it the time the announcer asks for.
    void letNewsAheadOfModal() const;

    // A part's accessible object, made on first request and kept until the
    // part is told as a new object or the surface goes.
    QAccessibleInterface* interfaceOf(int index);
    // The index of a part's object; -1 for any other object.
    int indexOf(const QAccessibleInterface* object) const;
    // The status part's latest news object, or nullptr if there is none.
    QAccessibleInterface* latestNews() const;

private:
    void accessibilityActiveChanged(bool active) override;
    void schedule();
    void raise(const runtime::BridgeEvent& event);
    void renew(int index);
    // Whether a screen reader may know the part's object: it was asked for.
    bool known(int index) const { return ids_.at(static_cast<std::size_t>(index)) != 0; }
    // Forgets the part's object, so the next request makes a new one; the
    // old one's id, 0 if there was none, is the caller's to delete.
    QAccessible::Id forget(int index);

    QWidget& surface_;
    runtime::Bridge bridge_;
    std::vector<AccessiblePart> parts_;
    std::vector<QAccessible::Id> ids_;  // 0 until a screen reader asks
    runtime::Announcer announcer_;
    std::unique_ptr<NewsCarrier> news_;
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
