// What a player may see of the game at one moment: each card face down, face
// up or found (with its face only then), the two previews, the counter's
// caption and whether the end-of-game question is due. A plain value, handed
// out with every event's outcomes, so that whoever shows the game compares
// the one before with the one after and shows the difference. It never holds
// the bird of a card lying face down.
#pragma once

#include <array>
#include <string>

#include "game/board.h"
#include "game/outcome.h"

namespace koppelo::game {

inline constexpr int kNoFace = -1;

enum class CardState { FaceDown, FaceUp, Found };

struct CardSeen {
    CardState state = CardState::FaceDown;
    int face = kNoFace;  // only face up or found

    friend bool operator==(const CardSeen&, const CardSeen&) = default;
};

struct Snapshot {
    std::array<CardSeen, kSlots> cards{};
    int firstPreview = kNoFace;
    int secondPreview = kNoFace;
    std::string pairs = "0";  // the counter's caption
    bool questionDue = false;

    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

// The board as the player sees it.
Snapshot snapshotOf(const Board& board, bool questionDue);

// What one of the window's events came to, and what the player sees after it.
struct Handled {
    Outcomes outcomes;
    Snapshot snapshot;
};

}  // namespace koppelo::game
