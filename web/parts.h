// What a screen reader hears of the page's board, in the game's language:
// each card by place and state, the counter and the two previews, named from
// what the player sees, and what an event came to cued to the announcer as
// the desktop window cues it. The page's fixed parts (the title, the face on
// show atop the side panel) never change and are named by the page itself.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>
#include "game/outcome.h"
#include "game/snapshot.h"
#include "runtime/announcer.h"

namespace koppelo::web {

// The announcer's parts: the cards by slot, then these.
inline constexpr int kCounterPart = game::kSlots;
inline constexpr int kFirstPreviewPart = game::kSlots + 1;
inline constexpr int kSecondPreviewPart = game::kSlots + 2;
inline constexpr int kParts = game::kSlots + 3;

// sentence with %1, %2, ... replaced by values in their order.
std::string fill(const char* sentence, std::initializer_list<std::string> values);

std::string cardName(int slot, const game::CardSeen& card);

// Every part's name, indexed as above.
std::vector<std::string> partNames(const game::Snapshot& seen);

// What outcome came to, as news and parts acted on or renewed.
void cue(runtime::Announcer& announcer, const game::Outcome& outcome);

}  // namespace koppelo::web
