// A game window's model without a window: fresh faces, a clock that counts, a
// message box that answers from a script, and ways to read the board back as
// face indices and to compare whole states.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/frm_koppelo.h"

namespace koppelo::game::testing {

inline constexpr int kEmpty = -1;  // face index of a box without a picture

using Layout = std::array<int, kSlots>;
// Every handle, visibility, variant and the caption of the window.
using Snapshot = std::pair<std::vector<double>, std::string>;

// Steps its reading on every call (a step of 0 freezes it); throws once its
// budget is spent, so a deal that cannot end fails instead of hanging.
class CountingClock final : public runtime::Clock {
public:
    explicit CountingClock(std::uint64_t start = 0, std::uint64_t step = 1) : reading_(start), step_(step) {}
    std::uint64_t now() override;

private:
    std::uint64_t reading_, step_, readings_ = 0;
};

struct Question {
    std::string prompt, title;
    std::int32_t style;
};

// Answers from a queue and records every question; a question nobody
// scripted an answer for fails the test.
class ScriptedMessageBox final : public runtime::MessageBox {
public:
    std::int32_t show(const std::string& prompt, const std::string& title, std::int32_t style) override;

    std::deque<std::int32_t> answers;
    std::vector<Question> asked;
};

class Game {
public:
    explicit Game(std::unique_ptr<runtime::Clock> clock = std::make_unique<CountingClock>());

    Board& board() { return window.board(); }
    const runtime::Variant& turnState() const { return window.state().TurnState; }
    const runtime::Variant& pairsFound() const { return window.state().PairsFound; }
    void click(int slot) { window.Picture3_Click(static_cast<std::int16_t>(slot)); }

    // kEmpty for no picture, kFaces for a picture that is no face.
    int faceOf(const runtime::PictureBox& box) const;
    int faceAt(int slot) const { return faceOf(window.board().Picture1[slot]); }
    std::array<int, 2> slotsOf(int face) const;
    // Slot boxes that hold a picture, hidden or not.
    std::vector<int> faceUpSlots() const;
    Layout layout() const;
    // Puts the faces of a layout into the layout boxes, as a deal would.
    void arrange(const Layout& layout);

    Snapshot snapshot() const;
    // Counts every change any box or the caption reports from now on.
    void watch();

    std::array<runtime::PictureRef, kFaces> faces;
    std::unique_ptr<runtime::Clock> clock;
    runtime::Random random;
    ScriptedMessageBox questions;
    FrmKoppelo window;
    int notifications = 0;
};

// What breaks the deal (every face's own reference in exactly two layout
// boxes, the sources untouched), or "" when nothing does.
std::string dealFault(const Game& game);
// The same, and also every slot box visible and empty, no pairs, caption
// "0", awaiting a first card.
std::string freshGameFault(const Game& game);

}  // namespace koppelo::game::testing
