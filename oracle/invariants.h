// What holds of a game between any two events, however the player clicks:
// every face lies in exactly two layout boxes, at most one slot box is face
// up and it shows the face dealt beneath it, an open turn shows its first
// card in the first preview, and the counter is half the number of hidden
// slot boxes, which hide in pairs. For auditing a running game from outside.
#pragma once

#include <string>

#include "game/frm_koppelo_rules.h"

namespace koppelo::game {

// The first invariant the game breaks, in words, or "" when all hold.
std::string brokenInvariant(const FrmKoppelo& game);

}  // namespace koppelo::game
