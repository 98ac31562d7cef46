// What one of the window's events came to, as the rules return it to whoever
// shows the game: a deal, a card turned, what a turn's second card found, the
// end of a game, a press the rules ignored. Plain values, in the order they
// happened.
#pragma once

#include <cstdint>
#include <vector>

namespace koppelo::game {

enum class Happening {
    FirstDeal,     // the window loaded and the first game was dealt
    NewDeal,       // "Nieuw spel": the board cleared and dealt afresh
    CardTurned,    // a card turned face up, a turn's first or its second
    PairFound,     // the second card matched the first
    PairMissed,    // the second card did not; both previews emptied
    GameWon,       // the last pair was found; the question comes next
    PressIgnored,  // a card face up or found already: nothing changed
};

inline constexpr std::int16_t kNoSlot = -1;

struct Outcome {
    Happening what;
    std::int16_t slot = kNoSlot;  // the card pressed, for what a press came to
    std::int16_t pairs = 0;       // the pairs found once it happened

    friend bool operator==(const Outcome&, const Outcome&) = default;
};

using Outcomes = std::vector<Outcome>;

}  // namespace koppelo::game
