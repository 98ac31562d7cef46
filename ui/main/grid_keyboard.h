// Keyboard play on the grid. One of the 36 places holds the keyboard focus:
// the arrow keys move it, stopping at the edges, Space or Return presses the
// card there (keypad Enter is the screen reader's), and a mouse click moves
// it to the clicked place, then presses the card there if it is a slot box. The focus mark shows once the keyboard has moved
// the focus and hides again at the next click, so a game played with the
// mouse looks exactly as it always did.
#pragma once

#include <QObject>

#include <array>
#include <cstdint>
#include <functional>

#include "game/board.h"
#include "runtime/qt/form_surface.h"
#include "runtime/qt/picture_box_view.h"

class QKeyEvent;

namespace koppelo::ui {

class GridKeyboard final : public QObject {
    Q_OBJECT

public:
    using Press = std::function<void(std::int16_t)>;

    // The surface, which carries the views, becomes the window's one stop for Tab.
    GridKeyboard(runtime::qt::FormSurface& surface, Press press);

    // The window made a box on the surface: a click on it gives the
    // keyboard to the grid, as a click on a card's place.
    void boxMade(runtime::qt::PictureBoxView& box);
    // The same for the two boxes of a place: the slot box, made with the
    // window, and the layout box beneath it, made once the slot box first hid.
    void slotBoxMade(int slot, runtime::qt::PictureBoxView& box);
    void layoutBoxMade(int slot, runtime::qt::PictureBoxView& box);

signals:
    void moved(int slot);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(const QKeyEvent& key);
    void moveTo(int slot);
    void clicked(int slot);
    void showMark(bool shown);
    void drawMark();

    // The two boxes of one place: the slot box and the layout box beneath,
    // which stands in for it once the pair is found; null until made.
    struct Place {
        runtime::qt::PictureBoxView* slot;
        runtime::qt::PictureBoxView* layout;
    };

    runtime::qt::FormSurface& surface_;
    Press press_;
    std::array<Place, game::kSlots> places_{};
    int position_ = game::kFirstSlot;
    int marked_ = game::kFirstSlot;
    bool markShown_ = false;
};

}  // namespace koppelo::ui
