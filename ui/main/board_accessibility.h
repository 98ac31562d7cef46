// What a screen reader hears of the main window, in Dutch: the title, the 36
// cards by place and state ("Kaart 8, rij 2, kolom 2: open, ijsvogel"), the
// face on show atop the side panel, the pairs counter and the two previews.
// A face-down card never names its bird, and the boxes that lie under others
// are not listed at all. Names are made when asked for; changes are told,
// and so is what a turn came to ("paar gevonden, Paren: 3", "geen paar")
// and a new game ("Nieuw spel"), which a sighted player sees on the board.
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>

#include "game/board.h"
#include "runtime/qt/form_surface.h"
#include "ui/main/board_views.h"

namespace koppelo::ui {

class BoardAccessibility final : public QObject {
    Q_OBJECT

public:
    using Press = std::function<void(std::int16_t)>;

    // press is what a screen reader's press on card i does.
    BoardAccessibility(runtime::qt::FormSurface& surface, const game::Board& board, const BoardViews& views,
                       Press press);

    // The card at slot holds the keyboard focus whenever the surface has it.
    void focusSlot(int slot);
    // Tells what is waiting now, before a question takes the keyboard.
    void tellBeforeQuestion();

private:
    void describe(Press press);
    void tellChanges(const BoardViews& views);
    void newGame();
    void pairFound();
    void pairMissed();
    QString cardName(int slot) const;
    QString previewName(const char* which, const runtime::PictureBox& preview) const;
    QString birdIn(const runtime::PictureBox& box) const;
    QRect place(const runtime::TwipsRect& rect) const;

    runtime::qt::FormSurface& surface_;
    runtime::qt::AccessibleParts& parts_;
    const game::Board& board_;
    int firstCard_ = 0;
    int counter_ = 0;
    int firstPreview_ = 0;
    int secondPreview_ = 0;
};

}  // namespace koppelo::ui
