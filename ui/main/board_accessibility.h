// What a screen reader hears of the main window, in Dutch: the title, the 36
// cards by place and state ("Kaart 8, rij 2, kolom 2: open, ijsvogel"), the
// face on show atop the side panel, the pairs counter and the two previews.
// A face-down card never names its bird, and the boxes that lie under others
// are not listed at all. After each event the names are made anew from the
// board, and what the event came to is told as a sighted player sees it
// happen: the card turned, then "paar gevonden, Paren: 3" or "geen paar";
// "Nieuw spel", then the card under the focus.
#pragma once

#include <cstdint>
#include <functional>

#include "game/board.h"
#include "game/outcome.h"
#include "runtime/qt/form_surface.h"

namespace koppelo::ui {

class BoardAccessibility final {
public:
    using Press = std::function<void(std::int16_t)>;

    // press is what a screen reader's press on card i does.
    BoardAccessibility(runtime::qt::FormSurface& surface, const game::Board& board, Press press);

    // What one of the window's events came to, as the game tells it, once
    // the board shows it.
    void heard(const game::Outcomes& outcomes);
    // The card at slot holds the keyboard focus whenever the surface has it.
    void focusSlot(int slot);

private:
    void describe(Press press);
    void nameParts();
    void heard(const game::Outcome& outcome, bool questionNext);
    int card(int slot) const { return firstCard_ + slot; }
    QString cardName(int slot) const;
    QString previewName(const char* named, const char* empty, const runtime::PictureBox& preview) const;
    QString birdIn(const runtime::PictureBox& box) const;
    QRect place(const runtime::TwipsRect& rect) const;

    runtime::qt::FormSurface& surface_;
    runtime::qt::AccessibleParts& parts_;
    const game::Board& board_;
    int firstCard_ = 0;
    int onShow_ = 0;  // the face on show, then the counter and the previews
};

}  // namespace koppelo::ui
