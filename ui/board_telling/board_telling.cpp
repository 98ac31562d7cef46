#include "board_telling.h"

#include <cstddef>

#include "texts/catalogue.h"

namespace koppelo::ui::telling {

namespace {

using game::Happening;

const texts::MainWindowTexts& words() { return texts::chosen().main; }

static_assert(texts::kBirds == game::kFaces);

// Counted from one, as a player counts.
std::string counted(int fromZero) { return std::to_string(fromZero + 1); }

std::string previewName(const char* named, const char* empty, int face)
{
    return face == game::kNoFace ? std::string(empty) : fill(named, {birdName(face)});
}

}  // namespace

std::string fill(const char* sentence, std::initializer_list<std::string> values)
{
    std::string filled;
    for (const char* at = sentence; *at != '\0'; ++at) {
        const auto number = static_cast<std::size_t>(at[1] - '1');
        if (at[0] == '%' && at[1] >= '1' && at[1] <= '9' && number < values.size()) {
            filled += values.begin()[number];
            ++at;
            continue;
        }
        filled += *at;
    }
    return filled;
}

std::string birdName(int face)
{
    return face == game::kNoFace ? std::string() : words().birds.at(static_cast<std::size_t>(face));
}

std::string cardName(int slot, const game::CardSeen& card)
{
    const std::string place[] = {counted(slot), counted(slot / game::kColumns), counted(slot % game::kColumns)};
    switch (card.state) {
    case game::CardState::Found:
        return fill(words().cardFound, {place[0], place[1], place[2], birdName(card.face)});
    case game::CardState::FaceUp:
        return fill(words().cardFaceUp, {place[0], place[1], place[2], birdName(card.face)});
    case game::CardState::FaceDown:
        break;
    }
    return fill(words().cardFaceDown, {place[0], place[1], place[2]});
}

BoardNames namesOf(const game::Snapshot& seen)
{
    BoardNames names;
    for (int i = 0; i < game::kSlots; ++i)
        names.cards[static_cast<std::size_t>(i)] = cardName(i, seen.cards[static_cast<std::size_t>(i)]);
    names.counter = fill(words().pairsFound, {seen.pairs});
    names.firstPreview = previewName(words().firstPreview, words().firstPreviewEmpty, seen.firstPreview);
    names.secondPreview = previewName(words().secondPreview, words().secondPreviewEmpty, seen.secondPreview);
    return names;
}

std::vector<Cue> cuesFor(const game::Outcome& outcome)
{
    switch (outcome.what) {
    case Happening::FirstDeal:
    case Happening::PressIgnored:
    case Happening::GameWon:
        return {};
    case Happening::NewDeal: {
        // New cards, each told afresh, the focused one after the news.
        std::vector<Cue> cues{{Cue::Kind::News, game::kNoSlot, words().newGame}};
        for (int card = 0; card < game::kSlots; ++card)
            cues.push_back({Cue::Kind::Renewed, card});
        return cues;
    }
    case Happening::CardTurned:
        return {{Cue::Kind::ActedOn, outcome.slot}};
    case Happening::PairFound:
        return {{Cue::Kind::News, game::kNoSlot, fill(words().pairFound, {std::to_string(outcome.pairs)})}};
    case Happening::PairMissed:
        return {{Cue::Kind::News, game::kNoSlot, words().noPair}};
    }
    return {};
}

}  // namespace koppelo::ui::telling
