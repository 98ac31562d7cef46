#include "oracle.h"

#include "invariants.h"

namespace koppelo::game {

namespace {

bool faceDown(const runtime::PictureBox& slot) { return slot.visible() && slot.handle() == runtime::kEmptyHandle; }

int pairsFound(const FrmKoppelo& game) { return game.state().PairsFound.toInt16(); }

}  // namespace

Whole whole(const FrmKoppelo& game) { return {game.board(), game.state(), game.snapshot()}; }

std::string gameFault(const FrmKoppelo& game, const Faces& faces)
{
    for (int k = 0; k < kFaces; ++k)
        if (game.board().Picture2[k].picture() != faces[k])
            return "source box " + std::to_string(k) + " changed";
    if (!game.state().TurnState.holds<std::int16_t>())
        return "TurnState is no 16-bit integer";
    for (const CardSeen& card : game.snapshot().cards)
        if (card.state == CardState::FaceDown && card.face != kNoFace)
            return "a face-down card's bird handed out";
    return brokenInvariant(game);
}

std::string freshGameFault(const FrmKoppelo& game, const Faces& faces)
{
    if (std::string fault = gameFault(game, faces); !fault.empty())
        return fault;
    for (int i = 0; i < kSlots; ++i)
        if (!faceDown(game.board().Picture3[i]))
            return "slot box " + std::to_string(i) + " hidden or turned";
    const WindowState& s = game.state();
    if (!(s.TurnState == kAwaitFirst))
        return "TurnState " + std::to_string(s.TurnState.number());
    if (!(s.PairsFound == 0 && s.PairsFound.holds<std::int16_t>()))
        return "PairsFound " + std::to_string(s.PairsFound.number());
    if (game.board().Label1.caption() != "0")
        return "caption " + game.board().Label1.caption();
    return {};
}

int partnerOf(const FrmKoppelo& game, int slot)
{
    const auto& layout = game.board().Picture1;
    for (int i = 0; i < kSlots; ++i)
        if (i != slot && layout[i].picture() == layout[slot].picture())
            return i;
    return slot;
}

ClickFate fateOf(const FrmKoppelo& game, int index)
{
    if (index < kFirstSlot || index > kLastSlot)
        return ClickFate::Refused;
    if (!faceDown(game.board().Picture3[index]))
        return ClickFate::Ignored;
    const WindowState& s = game.state();
    const bool lastPair = s.TurnState == kAwaitSecond && pairsFound(game) == kPairs - 1 &&
                          partnerOf(game, index) == s.FirstCard.toInt16();
    return lastPair ? ClickFate::EndsGame : ClickFate::Turns;
}

std::string questionFault(const FrmKoppelo& after, const Faces& faces, int pairsBefore, int timesAsked,
                          bool answeredYes)
{
    if (timesAsked == 0)
        return pairsFound(after) == kPairs && pairsBefore != kPairs ? "a game ended unasked" : "";
    if (timesAsked > 1)
        return "asked twice";
    if (pairsBefore != kPairs - 1)
        return "asked, but not at the last pair";
    if (answeredYes) {
        if (std::string fault = freshGameFault(after, faces); !fault.empty())
            return "Yes did not deal afresh: " + fault;
    } else if (pairsFound(after) != kPairs) {
        return "No did not keep the finished game";
    }
    return {};
}

ClickAudit::ClickAudit(const FrmKoppelo& game, int index, int timesAsked)
    : index_(index),
      fate_(fateOf(game, index)),
      second_(game.state().TurnState == kAwaitSecond),
      matches_(second_ && fate_ != ClickFate::Refused && partnerOf(game, index) == game.state().FirstCard.toInt16()),
      pairsBefore_(pairsFound(game)),
      asked_(timesAsked)
{
    // Only a click that must change nothing needs the whole picture.
    if (fate_ == ClickFate::Refused || fate_ == ClickFate::Ignored)
        before_ = whole(game);
}

// A taken click turns its card, then a second card tells whether it matched,
// and the last pair ends the game before a Yes deals afresh.
std::vector<Outcome> ClickAudit::expectedOutcomes(bool answeredYes) const
{
    const auto slot = static_cast<std::int16_t>(index_);
    const auto before = static_cast<std::int16_t>(pairsBefore_);
    const auto after = static_cast<std::int16_t>(pairsBefore_ + (matches_ ? 1 : 0));
    switch (fate_) {
    case ClickFate::Refused:
        return {};
    case ClickFate::Ignored:
        return {{Happening::PressIgnored, slot, before}};
    case ClickFate::Turns:
    case ClickFate::EndsGame:
        break;
    }
    std::vector<Outcome> told{{Happening::CardTurned, slot, before}};
    if (second_)
        told.push_back({matches_ ? Happening::PairFound : Happening::PairMissed, slot, after});
    if (fate_ == ClickFate::EndsGame) {
        told.push_back({Happening::GameWon, slot, after});
        if (answeredYes)
            told.push_back({Happening::NewDeal, kNoSlot, 0});
    }
    return told;
}

std::string ClickAudit::fault(const FrmKoppelo& after, const Faces& faces, int timesAsked, bool answeredYes,
                              const std::vector<Outcome>& told) const
{
    if (told != expectedOutcomes(answeredYes))
        return "a click on " + std::to_string(index_) + " told " + std::to_string(told.size()) +
               " outcomes other than it came to";
    if (fate_ == ClickFate::Refused || fate_ == ClickFate::Ignored)
        return whole(after) == before_ ? "" : "an ignored click on " + std::to_string(index_) + " changed the game";
    const int asked = timesAsked - asked_;
    if (asked != (fate_ == ClickFate::EndsGame ? 1 : 0))
        return "the question does not match the end of a game";
    if (std::string fault = questionFault(after, faces, pairsBefore_, asked, answeredYes); !fault.empty())
        return fault;
    if (fate_ == ClickFate::EndsGame && answeredYes)
        return {};
    const Board& b = after.board();
    for (int i = 0; i < kSlots; ++i)
        if ((b.Picture3[i].handle() != runtime::kEmptyHandle) != (i == index_))
            return "slot box " + std::to_string(i) + (i == index_ ? " did not turn" : " stayed face up");
    if (after.state().TurnState == kAwaitSecond &&
        !(after.state().FirstCard == index_ && b.Picture4.picture() == b.Picture1[index_].picture()))
        return "the turn opened on " + std::to_string(index_) + " is not its first card in the first preview";
    return {};
}

}  // namespace koppelo::game
