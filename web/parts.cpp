#include "web/parts.h"

#include <cstddef>
#include "texts/catalogue.h"

namespace koppelo::web {

namespace {

using game::Happening;

const texts::MainWindowTexts& words() { return texts::chosen().main; }

static_assert(texts::kBirds == game::kFaces);

// Counted from one, as a player counts.
std::string counted(int fromZero) { return std::to_string(fromZero + 1); }

std::string bird(int face)
{
    return face == game::kNoFace ? std::string() : words().birds.at(static_cast<std::size_t>(face));
}

std::string previewName(const char* named, const char* empty, int face)
{
    return face == game::kNoFace ? std::string(empty) : fill(named, {bird(face)});
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

std::string cardName(int slot, const game::CardSeen& card)
{
    const std::string place[] = {counted(slot), counted(slot / game::kColumns), counted(slot % game::kColumns)};
    switch (card.state) {
    case game::CardState::Found:
        return fill(words().cardFound, {place[0], place[1], place[2], bird(card.face)});
    case game::CardState::FaceUp:
        return fill(words().cardFaceUp, {place[0], place[1], place[2], bird(card.face)});
    case game::CardState::FaceDown:
        break;
    }
    return fill(words().cardFaceDown, {place[0], place[1], place[2]});
}

std::vector<std::string> partNames(const game::Snapshot& seen)
{
    std::vector<std::string> names;
    names.reserve(kParts);
    for (int i = 0; i < game::kSlots; ++i)
        names.push_back(cardName(i, seen.cards[static_cast<std::size_t>(i)]));
    names.push_back(fill(words().pairsFound, {seen.pairs}));
    names.push_back(previewName(words().firstPreview, words().firstPreviewEmpty, seen.firstPreview));
    names.push_back(previewName(words().secondPreview, words().secondPreviewEmpty, seen.secondPreview));
    return names;
}

void cue(runtime::Announcer& announcer, const game::Outcome& outcome)
{
    switch (outcome.what) {
    case Happening::FirstDeal:
    case Happening::PressIgnored:
    case Happening::GameWon:
        return;
    case Happening::NewDeal:
        // New cards, each told afresh, the focused one after the news.
        announcer.news(words().newGame);
        for (int card = 0; card < game::kSlots; ++card)
            announcer.renewed(card);
        return;
    case Happening::CardTurned:
        announcer.actedOn(outcome.slot);
        return;
    case Happening::PairFound:
        announcer.news(fill(words().pairFound, {std::to_string(outcome.pairs)}));
        return;
    case Happening::PairMissed:
        announcer.news(words().noPair);
        return;
    }
}

}  // namespace koppelo::web
