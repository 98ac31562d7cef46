#include "snapshot.h"

namespace koppelo::game {

namespace {

// Source box k holds face k for the whole run, so a picture's handle names its face.
int faceIn(const Board& board, const runtime::PictureBox& box)
{
    if (box.handle() == runtime::kEmptyHandle)
        return kNoFace;
    for (int k = 0; k < kFaces; ++k) {
        if (board.faceSource(k).handle() == box.handle())
            return k;
    }
    return kNoFace;
}

CardSeen cardSeen(const Board& board, int slot)
{
    const runtime::PictureBox& shown = board.slotBox(slot);
    if (!shown.visible())
        return {CardState::Found, faceIn(board, board.layoutBox(slot))};
    if (shown.handle() != runtime::kEmptyHandle)
        return {CardState::FaceUp, faceIn(board, shown)};
    return {};
}

}  // namespace

Snapshot snapshotOf(const Board& board, bool questionDue)
{
    Snapshot seen;
    for (int i = 0; i < kSlots; ++i)
        seen.cards[static_cast<std::size_t>(i)] = cardSeen(board, i);
    seen.firstPreview = faceIn(board, board.firstPreview());
    seen.secondPreview = faceIn(board, board.secondPreview());
    seen.pairs = board.pairsLabel().caption();
    seen.questionDue = questionDue;
    return seen;
}

}  // namespace koppelo::game
