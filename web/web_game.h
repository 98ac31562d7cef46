// The game as the page plays it: the rules, dealt from a seed the page hands
// in (or the clock), and the announcer, cued from what each event came to.
// Each event returns, as JSON, what the page draws and the ARIA events it
// raises; a face-down card's bird is never in it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include "game/frm_koppelo_rules.h"
#include "runtime/announcer.h"
#include "runtime/clock.h"
#include "runtime/random.h"

namespace koppelo::web {

// A clock that reads seed, seed + 1, ...: the same seed deals the same games.
class SeededClock final : public runtime::Clock {
public:
    explicit SeededClock(std::uint64_t seed) : next_(seed) {}
    std::uint64_t now() override { return next_++; }

private:
    std::uint64_t next_;
};

class WebGame {
public:
    // No seed: the system clock's.
    explicit WebGame(std::unique_ptr<runtime::Clock> clock);

    std::string load();
    std::string click(int slot);
    std::string newGame();
    std::string answer(bool yes);
    // The keyboard came to slot's card; kNoPart: it left the board (a menu or a dialog).
    std::string focus(int slot);

    // For the tests' build, which judges the game: the rules and their faces,
    // and what the player sees now, as the page is handed it.
    const game::FrmKoppelo& rules() const { return game_; }
    const game::FrmKoppelo::Faces& faces() const { return faces_; }
    std::string seen() const;

private:
    std::string present(const game::Handled& handled);
    std::string view(const game::Snapshot& shown, const std::vector<std::string>& names,
                     const std::vector<runtime::BridgeEvent>& events) const;

    std::unique_ptr<runtime::Clock> clock_;
    runtime::Random random_;
    game::FrmKoppelo::Faces faces_;
    game::FrmKoppelo game_;
    runtime::Announcer announcer_;
    int focus_ = game::kFirstSlot;
};

// What the page's script takes from the game beyond its HTML, which holds
// every other word: the menus' captions, which the script builds with their
// roles, and how long a modal window waits for the news, as JSON.
std::string textsJson();

}  // namespace koppelo::web
