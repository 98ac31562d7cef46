// The page's calls into the game. Each returns JSON (see web_game.h) that
// stays valid until the next call.
#include <emscripten/emscripten.h>

#include <memory>
#include <optional>
#include <string>
#include "game/grid.h"
#include "web/web_game.h"

namespace {

std::optional<koppelo::web::WebGame> game;
std::string answered;

const char* hand(std::string json)
{
    answered = std::move(json);
    return answered.c_str();
}

}  // namespace

const koppelo::web::WebGame& playing() { return *game; }

extern "C" {

// seed < 0: the clock deals; otherwise the same seed deals the same games.
EMSCRIPTEN_KEEPALIVE const char* koppelo_load(double seed)
{
    std::unique_ptr<koppelo::runtime::Clock> clock;
    if (seed < 0)
        clock = std::make_unique<koppelo::runtime::SystemClock>();
    else
        clock = std::make_unique<koppelo::web::SeededClock>(static_cast<std::uint64_t>(seed));
    game.emplace(std::move(clock));
    return hand(game->load());
}

EMSCRIPTEN_KEEPALIVE const char* koppelo_click(int slot) { return hand(game->click(slot)); }

EMSCRIPTEN_KEEPALIVE const char* koppelo_focus(int slot) { return hand(game->focus(slot)); }

EMSCRIPTEN_KEEPALIVE const char* koppelo_new_game() { return hand(game->newGame()); }

EMSCRIPTEN_KEEPALIVE const char* koppelo_answer(int yes) { return hand(game->answer(yes != 0)); }

// arrow: 0 left, 1 right, 2 up, 3 down, as game::Direction; an unknown slot or arrow stays put.
EMSCRIPTEN_KEEPALIVE int koppelo_step(int slot, int arrow)
{
    if (slot < 0 || slot >= koppelo::game::kSlots || arrow < 0 || arrow > 3)
        return slot;
    return koppelo::game::stepFrom(slot, static_cast<koppelo::game::Direction>(arrow));
}

EMSCRIPTEN_KEEPALIVE const char* koppelo_texts() { return hand(koppelo::web::textsJson()); }

}
