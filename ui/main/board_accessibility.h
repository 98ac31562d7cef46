// What a screen reader hears of the main window, in Dutch: the title, the 36
// cards by place and state ("Kaart 8, rij 2, kolom 2: open, ijsvogel"), the
// face on show atop the side panel, the pairs counter and the two previews,
// each part by what it is. The boxes that lie under others are not listed at
// all. After each event the names are made from what the player sees now,
// so a face-down card never names its bird, and what the event came to is
// told as a sighted player sees it happen: the card turned, then "paar
// gevonden, Paren: 3" or "geen paar"; "Nieuw spel", then the card under the
// focus.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "game/snapshot.h"
#include "runtime/qt/form_surface.h"

namespace koppelo::ui {

class BoardAccessibility final {
public:
    using Press = std::function<void(std::int16_t)>;

    // press is what a screen reader's press on card i does.
    BoardAccessibility(runtime::qt::FormSurface& surface, Press press);

    // What one of the window's events came to, and what the player sees
    // after it, once the window shows it.
    void present(const game::Snapshot& after, const game::Outcomes& outcomes);
    // The card at slot holds the keyboard focus whenever the surface has it.
    void focusSlot(int slot);

private:
    // The accessible parts by what they are.
    struct Parts {
        int title;
        std::array<int, game::kSlots> cards;
        int faceOnShow;
        int counter;
        int firstPreview;
        int secondPreview;
    };

    void describe(Press press);
    void nameParts(const game::Snapshot& seen);
    void cue(const game::Outcome& outcome);
    QRect place(const runtime::TwipsRect& rect) const;

    runtime::qt::FormSurface& surface_;
    runtime::qt::AccessibleParts& parts_;
    Parts part_{};
};

}  // namespace koppelo::ui
