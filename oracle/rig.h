// A game's board handed over to be rigged: a deal laid by hand, or a fault
// put in on purpose to see the audit find it. Nobody else writes a board.
#pragma once

#include "game/frm_koppelo_rules.h"

namespace koppelo::game {

struct Rig {
    static Board& board(FrmKoppelo& game) { return game.board_; }
};

}  // namespace koppelo::game
