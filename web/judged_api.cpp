// The tests' build only: the rules' oracle judges the game the page plays,
// and the page's drawing is compared with what the game says is seen.
// Never in the page that players load: it would let the page see the deal.
#include <emscripten/emscripten.h>

#include <string>

#include "oracle/oracle.h"
#include "web/web_game.h"

const koppelo::web::WebGame& playing();

namespace {

std::string said;

}  // namespace

extern "C" {

// The first rule the game breaks now, or "".
EMSCRIPTEN_KEEPALIVE const char* koppelo_judged_fault()
{
    said = koppelo::game::gameFault(playing().rules(), playing().faces());
    return said.c_str();
}

// What the player sees now, as the page is handed it, without events.
EMSCRIPTEN_KEEPALIVE const char* koppelo_judged_seen()
{
    said = playing().seen();
    return said.c_str();
}

}
