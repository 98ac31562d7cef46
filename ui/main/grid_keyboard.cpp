#include "grid_keyboard.h"

#include <QKeyEvent>

#include "game/grid.h"

namespace koppelo::ui {

namespace {

using runtime::qt::PictureBoxView;

// The place one arrow key away, by the grid's rule; other keys stay put.
int step(int slot, int key)
{
    switch (key) {
    case Qt::Key_Left:
        return game::stepFrom(slot, game::Direction::Left);
    case Qt::Key_Right:
        return game::stepFrom(slot, game::Direction::Right);
    case Qt::Key_Up:
        return game::stepFrom(slot, game::Direction::Up);
    case Qt::Key_Down:
        return game::stepFrom(slot, game::Direction::Down);
    default:
        return slot;
    }
}

}  // namespace

GridKeyboard::GridKeyboard(runtime::qt::FormSurface& surface, Press press)
    : surface_(surface), press_(std::move(press))
{
    surface_.setFocusPolicy(Qt::StrongFocus);
    surface_.installEventFilter(this);
}

void GridKeyboard::boxMade(PictureBoxView& box) { box.setFocusProxy(&surface_); }

void GridKeyboard::slotBoxMade(int slot, PictureBoxView& box)
{
    places_[slot].slot = &box;
    // The focus comes to the card before it is pressed, as it does for Space.
    connect(&box, &PictureBoxView::clicked, this, [this, slot] {
        clicked(slot);
        press_(static_cast<std::int16_t>(slot));
    });
}

void GridKeyboard::layoutBoxMade(int slot, PictureBoxView& box)
{
    places_[slot].layout = &box;
    connect(&box, &PictureBoxView::clicked, this, [this, slot] { clicked(slot); });
    // The mark the slot box carried passes to the box that now shows.
    box.setFocusMarked(places_[slot].slot->focusMarked());
}

bool GridKeyboard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &surface_)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPressed(static_cast<const QKeyEvent&>(*event));
    case QEvent::FocusIn:
        if (const Qt::FocusReason reason = static_cast<const QFocusEvent&>(*event).reason();
            reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            markShown_ = true;
        drawMark();
        return false;
    case QEvent::FocusOut:
        drawMark();
        return false;
    default:
        return false;
    }
}

bool GridKeyboard::keyPressed(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) {
        showMark(true);
        return false;  // Qt moves the focus on, here to the grid itself
    }
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        moveTo(step(position_, key.key()));
        showMark(true);
        return true;
    case Qt::Key_Space:
    case Qt::Key_Return:  // not keypad Enter: a screen reader's own key
        press_(static_cast<std::int16_t>(position_));
        return true;
    default:
        return false;
    }
}

void GridKeyboard::moveTo(int slot)
{
    if (slot == position_)
        return;
    position_ = slot;
    drawMark();
    emit moved(slot);
}

void GridKeyboard::clicked(int slot)
{
    showMark(false);
    moveTo(slot);
}

void GridKeyboard::showMark(bool shown)
{
    markShown_ = shown;
    drawMark();
}

// Only the window's focus shows a mark: none while a dialog has the keyboard.
void GridKeyboard::drawMark()
{
    const bool shown = markShown_ && surface_.hasFocus();
    for (PictureBoxView* box : {places_[marked_].slot, places_[marked_].layout}) {
        if (box != nullptr)
            box->setFocusMarked(false);
    }
    marked_ = position_;
    for (PictureBoxView* box : {places_[marked_].slot, places_[marked_].layout}) {
        if (box != nullptr)
            box->setFocusMarked(shown);
    }
}

}  // namespace koppelo::ui
