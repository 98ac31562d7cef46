// The page's board as the announcer counts its parts: the cards by slot,
// then the counter and the two previews, named as every presenter names
// them. The page's fixed parts (the title, the face on show atop the side
// panel) never change and are named by the page itself.
#pragma once
#include <string>
#include <vector>
#include "game/outcome.h"
#include "game/snapshot.h"
#include "runtime/announcer.h"

namespace koppelo::web {

inline constexpr int kParts = game::kSlots + 3;

// Every part's name, indexed as above.
std::vector<std::string> partNames(const game::Snapshot& seen);

// What outcome came to, handed to the announcer.
void cue(runtime::Announcer& announcer, const game::Outcome& outcome);

}  // namespace koppelo::web
