#include "invariants.h"

#include <algorithm>
#include <array>
#include <utility>

namespace koppelo::game {

namespace {

constexpr int kCopiesOfEachFace = 2;
constexpr int kOneTurnedCard = 1;

std::string slotText(int slot) { return "slot " + std::to_string(slot); }

std::string dealBroken(const Board& board)
{
    // The sources sorted by handle, so each layout box finds its face quickly.
    std::array<std::pair<runtime::Picture::Handle, int>, kFaces> sources;
    for (int k = 0; k < kFaces; ++k)
        sources[k] = {board.Picture2[k].handle(), k};
    std::sort(sources.begin(), sources.end());

    std::array<int, kFaces> copies{};
    for (int i = 0; i < kSlots; ++i) {
        const runtime::Picture::Handle handle = board.Picture1[i].handle();
        const auto source = std::lower_bound(sources.begin(), sources.end(), std::make_pair(handle, 0));
        if (handle == runtime::kEmptyHandle || source == sources.end() || source->first != handle)
            return slotText(i) + " has no face dealt";
        ++copies[source->second];
    }
    for (int k = 0; k < kFaces; ++k)
        if (copies[k] != kCopiesOfEachFace)
            return "face " + std::to_string(k) + " dealt " + std::to_string(copies[k]) + " times";
    return {};
}

std::string slotBoxesBroken(const Board& board)
{
    int faceUp = 0;
    for (int i = 0; i < kSlots; ++i) {
        const runtime::PictureBox& slot = board.Picture3[i];
        if (slot.handle() == runtime::kEmptyHandle)
            continue;
        if (++faceUp > kOneTurnedCard)
            return "more than one slot box face up";
        if (slot.picture() != board.Picture1[i].picture())
            return slotText(i) + " shows a face not dealt to it";
    }
    return {};
}

std::string turnBroken(const Board& board, const WindowState& state)
{
    if (!(state.TurnState == kAwaitFirst || state.TurnState == kAwaitSecond))
        return "TurnState " + std::to_string(state.TurnState.number());
    if (state.TurnState == kAwaitFirst)
        return {};
    const int first = state.FirstCard.toInt16();
    if (first < kFirstSlot || first > kLastSlot)
        return "an open turn's first card is " + std::to_string(first);
    const runtime::PictureBox& card = board.Picture3[first];
    if (card.handle() == runtime::kEmptyHandle || !card.visible())
        return "an open turn's first card, " + slotText(first) + ", is not face up";
    if (board.Picture4.picture() != card.picture())
        return "the first preview does not show the open turn's first card";
    return {};
}

std::string counterBroken(const Board& board, const WindowState& state)
{
    int hidden = 0;
    for (int i = 0; i < kSlots; ++i) {
        if (board.Picture3[i].visible())
            continue;
        ++hidden;
        for (int j = 0; j < kSlots; ++j)
            if (j != i && board.Picture1[j].picture() == board.Picture1[i].picture() && board.Picture3[j].visible())
                return slotText(i) + " is found but its partner is not";
    }
    const int pairs = static_cast<int>(state.PairsFound.number());
    if (pairs * kCopiesOfEachFace != hidden)
        return std::to_string(pairs) + " pairs found but " + std::to_string(hidden) + " slot boxes hidden";
    if (board.Label1.caption() != std::to_string(pairs))
        return "the counter reads \"" + board.Label1.caption() + "\" for " + std::to_string(pairs) + " pairs";
    return {};
}

}  // namespace

std::string brokenInvariant(const FrmKoppelo& game)
{
    const Board& board = game.board();
    if (std::string broken = dealBroken(board); !broken.empty())
        return broken;
    if (std::string broken = slotBoxesBroken(board); !broken.empty())
        return broken;
    if (std::string broken = turnBroken(board, game.state()); !broken.empty())
        return broken;
    return counterBroken(board, game.state());
}

}  // namespace koppelo::game
