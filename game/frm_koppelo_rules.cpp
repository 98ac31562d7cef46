#include "frm_koppelo_rules.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "runtime/rounding.h"

namespace koppelo::game {

namespace {

constexpr int kPasses = 2;                  // each face is dealt twice
constexpr float kDrawFactor = 35.0f;        // the last slot index, not the slot count
constexpr std::int16_t kNotPlaced = 0;
constexpr std::int16_t kPlaced = 1;

std::int16_t slotIndex(int i) { return static_cast<std::int16_t>(i); }

}  // namespace

FrmKoppelo::FrmKoppelo(const Faces& faces, runtime::Random& random) : random_(random)
{
    for (int k = 0; k < kFaces; ++k)
        board_.Picture2[k].setPicture(faces[k]);
}

Handled FrmKoppelo::Form_Load()
{
    state_.PairsFound = std::int16_t{0};
    DealCards();
    state_.TurnState = kAwaitFirst;
    tell(Happening::FirstDeal);
    return handled();
}

Handled FrmKoppelo::mnuSpelNieuw_Click()
{
    newGame();
    return handled();
}

void FrmKoppelo::newGame()
{
    ResetBoard();
    DealCards();
    tell(Happening::NewDeal);
}

void FrmKoppelo::ResetBoard()
{
    for (int i = kFirstSlot; i <= kLastSlot; ++i) {
        state_.LoopIndex = slotIndex(i);
        board_.Picture1[i].setPicture(board_.Picture6.picture());
        // A face of the previous deal must never stand over a freshly dealt slot.
        board_.Picture3[i].setPicture(board_.Picture6.picture());
        board_.Picture3[i].setVisible(true);
    }
    state_.TurnState = kAwaitFirst;
    state_.PairsFound = std::int16_t{0};
    board_.Label1.setCaption(state_.PairsFound.toInt16());
}

void FrmKoppelo::DealCards()
{
    for (int pass = 0; pass < kPasses; ++pass) {
        for (int k = 0; k < kFaces; ++k) {
            state_.LoopIndex = slotIndex(k);
            placeFace(k);
        }
    }
}

// Draws until it hits a free slot; an occupied slot is never overwritten.
void FrmKoppelo::placeFace(int face)
{
    std::int16_t placed = kNotPlaced;
    while (placed != kPlaced) {
        random_.reseed();
        state_.DrawnSlot = random_.draw() * kDrawFactor;
        const std::int16_t slot = state_.DrawnSlot.toInt16();
        runtime::PictureBox& layout = board_.Picture1.at(static_cast<std::size_t>(slot));
        if (layout.handle() == runtime::kEmptyHandle) {
            layout.setPicture(board_.Picture2[face].picture());
            placed = kPlaced;
        }
    }
}

Handled FrmKoppelo::Picture3_Click(std::int16_t Index)
{
    if (Index < kFirstSlot || Index > kLastSlot)
        throw std::out_of_range("slot index " + std::to_string(Index) + " outside 0-35");
    const runtime::PictureBox& clicked = board_.Picture3[Index];
    // A hidden box gets no clicks; a face-up card ignores them.
    if (!clicked.visible() || clicked.handle() != runtime::kEmptyHandle) {
        tell(Happening::PressIgnored, Index);
        return handled();
    }

    turnDownAll();
    if (state_.TurnState == kAwaitFirst)
        turnFirstCard(Index);
    else
        turnSecondCard(Index);
    return handled();
}

void FrmKoppelo::turnDownAll()
{
    for (int i = kFirstSlot; i <= kLastSlot; ++i) {
        state_.LoopIndex = slotIndex(i);
        if (board_.Picture3[i].handle() != runtime::kEmptyHandle)
            board_.Picture3[i].setPicture(board_.Picture6.picture());
    }
}

void FrmKoppelo::turnFirstCard(std::int16_t index)
{
    board_.Picture3[index].setPicture(board_.Picture1[index].picture());
    state_.FirstCard = index;
    board_.Picture4.setPicture(board_.Picture3[index].picture());
    state_.TurnState = kAwaitSecond;
    tell(Happening::CardTurned, index);
}

void FrmKoppelo::turnSecondCard(std::int16_t index)
{
    board_.Picture3[index].setPicture(board_.Picture1[index].picture());
    state_.SecondCard = index;
    board_.Picture5.setPicture(board_.Picture3[index].picture());
    state_.TurnState = kAwaitFirst;
    tell(Happening::CardTurned, index);
    if (board_.Picture4.handle() == board_.Picture5.handle())
        pairFound();
    else
        pairMissed();
}

void FrmKoppelo::pairFound()
{
    board_.Picture3[state_.FirstCard.toInt16()].setVisible(false);
    board_.Picture3[state_.SecondCard].setVisible(false);
    state_.PairsFound = static_cast<std::int16_t>(state_.PairsFound.toInt16() + 1);
    board_.Label1.setCaption(state_.PairsFound.toInt16());
    tell(Happening::PairFound, state_.SecondCard);
    if (state_.PairsFound == kPairs)
        gameWon();
}

void FrmKoppelo::pairMissed()
{
    board_.Picture4.setPicture(board_.Picture6.picture());
    board_.Picture5.setPicture(board_.Picture6.picture());
    tell(Happening::PairMissed, state_.SecondCard);
}

void FrmKoppelo::gameWon()
{
    questionDue_ = true;
    tell(Happening::GameWon, state_.SecondCard);
}

Handled FrmKoppelo::winQuestionAnswered(std::int32_t answer)
{
    // DrawnSlot, free once the deal is done, holds the answer.
    questionDue_ = false;
    state_.DrawnSlot = answer;
    if (state_.DrawnSlot == runtime::kYes)
        newGame();
    return handled();
}

void FrmKoppelo::tell(Happening what, std::int16_t slot) { told_.push_back({what, slot, state_.PairsFound.toInt16()}); }

Handled FrmKoppelo::handled() { return {std::exchange(told_, {}), snapshot()}; }

}  // namespace koppelo::game
