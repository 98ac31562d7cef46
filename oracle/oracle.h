// What the rules promise, read off a game from outside, for whoever drives
// one and judges every step (the rule tests, the window's click storm, the
// fuzz target): all a click may change, the audit of a fresh or running
// game, what a click will do and what it must be told to have done.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "game/frm_koppelo_rules.h"

namespace koppelo::game {

using Faces = FrmKoppelo::Faces;

// All a click may change, the board and the window's fields together: what
// "nothing changed" compares.
struct Whole {
    Board board;
    WindowState state;
    Snapshot seen;  // and what the player saw of it

    friend bool operator==(const Whole&, const Whole&) = default;
};
Whole whole(const FrmKoppelo& game);

// The first invariant a loaded game breaks, or "": the rules' own audit, the
// source boxes still holding the faces they were given, TurnState a 16-bit
// integer, no face-down card's bird in what the player is handed.
std::string gameFault(const FrmKoppelo& game, const Faces& faces);

// The same, and what makes it other than a fresh game: a slot box hidden or
// turned, a pair found, a turn open, the counter not "0".
std::string freshGameFault(const FrmKoppelo& game, const Faces& faces);

// The other slot dealt the face of `slot`.
int partnerOf(const FrmKoppelo& game, int slot);

// What a click on a slot index does by the rules: an index outside the board
// is refused, a found or face-up card ignores it, and the last pair's second
// card ends the game.
enum class ClickFate { Refused, Ignored, Turns, EndsGame };
ClickFate fateOf(const FrmKoppelo& game, int index);

// What one event did wrong with the end-of-game question, or "": it must
// come once, exactly when a game's last pair is found; Yes deals afresh, No
// keeps the finished game.
std::string questionFault(const FrmKoppelo& after, const Faces& faces, int pairsBefore, int timesAsked,
                          bool answeredYes);

// One click on a slot index, judged by the rules: made just before the
// click, asked just after it.
class ClickAudit {
public:
    ClickAudit(const FrmKoppelo& game, int index, int timesAsked);

    ClickFate fate() const { return fate_; }
    // What the click did against the rules, or "": a refused or ignored click
    // changed something; the question came other than exactly at the end of
    // the game; a taken click that did not deal afresh left another card than
    // its own face up, or opened a turn that the first preview does not show;
    // the outcomes told are not what the click came to.
    std::string fault(const FrmKoppelo& after, const Faces& faces, int timesAsked, bool answeredYes,
                      const std::vector<Outcome>& told) const;

private:
    std::vector<Outcome> expectedOutcomes(bool answeredYes) const;

    int index_;
    ClickFate fate_;
    bool second_ = false;   // the click takes a turn's second card
    bool matches_ = false;  // and that card is the first one's partner
    Whole before_;
    int pairsBefore_;
    int asked_;
};

}  // namespace koppelo::game
