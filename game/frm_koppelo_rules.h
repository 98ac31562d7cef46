// The main window's rules: its state, the deal and the turn handling, driven
// by the window's events (load, a slot click, a new game, the answer to the
// end-of-game question); "Over..." never reaches them. They only move picture
// references between the boxes of a Board, show and hide slot boxes and set
// the counter's caption; randomness is passed in, each event returns what it
// came to with what the player sees after it, and the window asks the player
// whatever is asked.
#pragma once

#include <array>
#include <cstdint>

#include "game/board.h"
#include "game/outcome.h"
#include "game/snapshot.h"
#include "runtime/answers.h"
#include "runtime/picture.h"
#include "runtime/random.h"
#include "runtime/variant.h"

namespace koppelo::game {

// The values of TurnState: the next card is a turn's first, or its second.
inline constexpr std::int16_t kAwaitFirst = 0;
inline constexpr std::int16_t kAwaitSecond = 1;

// The window-level fields, in their order of declaration.
struct WindowState {
    runtime::Variant LoopIndex;   // every loop's counter
    runtime::Variant DrawnSlot;   // the deal's last draw, and also the end-of-game answer
    runtime::Variant TurnState;   // kAwaitFirst or kAwaitSecond
    runtime::Variant FirstCard;   // slot of the current or last turn's first card
    std::int16_t SecondCard = 0;  // slot of the last turn's second card
    runtime::Variant PairsFound;  // pairs found in this game

    friend bool operator==(const WindowState&, const WindowState&) = default;
};

class FrmKoppelo {
public:
    using Faces = std::array<runtime::PictureRef, kFaces>;

    // The faces go into the source boxes, as the window's design gives them.
    FrmKoppelo(const Faces& faces, runtime::Random& random);

    FrmKoppelo(const FrmKoppelo&) = delete;
    FrmKoppelo& operator=(const FrmKoppelo&) = delete;

    // Once, before the window is first shown: the first game.
    Handled Form_Load();
    // "Nieuw spel" and F2.
    Handled mnuSpelNieuw_Click();
    // A click on slot box Index (0-35). Any other index is a programming
    // error: std::out_of_range, and nothing changes. The last pair ends in
    // Happening::GameWon, after which the question is due and the window asks it.
    Handled Picture3_Click(std::int16_t Index);
    // The player's answer to the end-of-game question: runtime::kYes deals afresh.
    Handled winQuestionAnswered(std::int32_t answer);

    const Board& board() const { return board_; }
    const WindowState& state() const { return state_; }
    // What the player sees now.
    Snapshot snapshot() const { return snapshotOf(board_, questionDue_); }

private:
    friend struct Rig;  // the test kit's, to lay a deal by hand or break a board on purpose

    void newGame();
    void ResetBoard();
    void DealCards();
    void placeFace(int face);
    void turnDownAll();
    void turnFirstCard(std::int16_t index);
    void turnSecondCard(std::int16_t index);
    void pairFound();
    void pairMissed();
    void gameWon();
    void tell(Happening what, std::int16_t slot = kNoSlot);
    Handled handled();

    Board board_;
    WindowState state_;
    runtime::Random& random_;
    Outcomes told_;  // by the event at hand
    bool questionDue_ = false;
};

}  // namespace koppelo::game
