// What a screen reader hears of the board, in the game's language, for
// every presenter: each card by place and state ("Kaart 8, rij 2, kolom 2:
// open, ijsvogel"), the counter and the two previews, named from what the
// player sees, so a face-down card never names its bird; and what an event
// came to, as cues for the announcer: the news ("paar gevonden, Paren: 3",
// "geen paar", "Nieuw spel"), the card acted on, the cards dealt anew.
// Plain C++: each presenter hands the cues to its own parts.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "game/outcome.h"
#include "game/snapshot.h"

namespace koppelo::ui::telling {

// sentence with %1, %2, ... replaced by values in their order.
std::string fill(const char* sentence, std::initializer_list<std::string> values);

// The bird on face, as a screen reader names it; empty for no face.
std::string birdName(int face);

std::string cardName(int slot, const game::CardSeen& card);

// Every changing part's name, from what the player sees.
struct BoardNames {
    std::array<std::string, game::kSlots> cards;
    std::string counter;
    std::string firstPreview;
    std::string secondPreview;
};
BoardNames namesOf(const game::Snapshot& seen);

// One thing for the announcer, by card slot.
struct Cue {
    enum class Kind { News, ActedOn, Renewed };
    Kind kind;
    int slot = game::kNoSlot;  // ActedOn and Renewed
    std::string news = {};     // News
};

// What outcome came to: a new deal is its news, then every card anew.
std::vector<Cue> cuesFor(const game::Outcome& outcome);

// The cues handed to a presenter's parts (news, actedOn, renewed), each card
// as partOf(slot) and each news as textOf(news).
template <class Parts, class PartOf, class TextOf>
void cue(Parts& parts, const game::Outcome& outcome, PartOf partOf, TextOf textOf)
{
    for (const Cue& cue : cuesFor(outcome)) {
        switch (cue.kind) {
        case Cue::Kind::News:
            parts.news(textOf(cue.news));
            break;
        case Cue::Kind::ActedOn:
            parts.actedOn(partOf(cue.slot));
            break;
        case Cue::Kind::Renewed:
            parts.renewed(partOf(cue.slot));
            break;
        }
    }
}

}  // namespace koppelo::ui::telling
