// A game window's model without a window: fresh faces, the test kit's clock
// and scripted message box, and ways to read the board back as face indices
// and to compare whole states.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "counting_clock.h"
#include "game/frm_koppelo.h"
#include "scripted_message_box.h"

namespace koppelo::game::testing {

inline constexpr int kEmpty = -1;  // face index of a box without a picture

using Layout = std::array<int, kSlots>;
// Every handle, visibility, variant and the caption of the window.
using Snapshot = std::pair<std::vector<double>, std::string>;

using testkit::CountingClock;
using testkit::Question;

class Game {
public:
    explicit Game(std::unique_ptr<runtime::Clock> readings = std::make_unique<CountingClock>())
        : clock(std::move(readings)), random(*clock), window(faces, random, questions)
    {
        for (auto* box : boxes())
            box->setObserver([this] { ++notifications; });
        window.board().Label1.setObserver([this] { ++notifications; });
    }

    Board& board() { return window.board(); }
    const WindowState& state() const { return window.state(); }
    void click(int slot) { window.Picture3_Click(static_cast<std::int16_t>(slot)); }

    // kEmpty for no picture, kFaces for a picture that is no face.
    int faceOf(const runtime::PictureBox& box) const
    {
        if (!box.picture())
            return kEmpty;
        return static_cast<int>(std::find(faces.begin(), faces.end(), box.picture()) - faces.begin());
    }
    int faceAt(int slot) const { return faceOf(window.board().Picture1[slot]); }
    Layout layout() const
    {
        Layout layout;
        for (int i = 0; i < kSlots; ++i)
            layout[i] = faceAt(i);
        return layout;
    }
    // Puts the faces of a layout into the layout boxes, as a deal would.
    void arrange(const Layout& layout)
    {
        for (int i = 0; i < kSlots; ++i)
            window.board().Picture1[i].setPicture(faces.at(layout[i]));
    }
    // The two slots of a face, in board order.
    std::array<int, 2> slotsOf(int face) const
    {
        std::array<int, 2> slots{kEmpty, kEmpty};
        for (int i = 0, found = 0; i < kSlots && found < 2; ++i)
            if (faceAt(i) == face)
                slots[found++] = i;
        return slots;
    }
    // Slot boxes that hold a picture, hidden or not.
    std::vector<int> faceUpSlots() const
    {
        std::vector<int> slots;
        for (int i = 0; i < kSlots; ++i)
            if (window.board().Picture3[i].picture())
                slots.push_back(i);
        return slots;
    }

    // Every picture box of the window.
    std::vector<runtime::PictureBox*> boxes()
    {
        Board& b = window.board();
        std::vector<runtime::PictureBox*> all{&b.Picture4, &b.Picture5, &b.Picture6};
        for (auto* group : {&b.Picture1, &b.Picture3})
            for (auto& box : *group)
                all.push_back(&box);
        for (auto& box : b.Picture2)
            all.push_back(&box);
        return all;
    }
    Snapshot snapshot()
    {
        std::vector<double> values;
        for (const auto* box : boxes())
            values.insert(values.end(), {double(box->handle()), double(box->visible())});
        const WindowState& s = state();
        for (const auto* v : {&s.LoopIndex, &s.DrawnSlot, &s.TurnState, &s.FirstCard, &s.PairsFound})
            values.insert(values.end(), {double(v->isEmpty()), v->number()});
        values.push_back(s.SecondCard);
        return {values, window.board().Label1.caption()};
    }

    FrmKoppelo::Faces faces = [] {
        FrmKoppelo::Faces fresh;
        for (auto& face : fresh)
            face = runtime::makePicture();
        return fresh;
    }();
    std::unique_ptr<runtime::Clock> clock;
    runtime::Random random;
    testkit::ScriptedMessageBox questions;
    FrmKoppelo window;
    int notifications = 0;  // changes any box or the caption reported
};

// What breaks the deal (every face's own reference in exactly two layout
// boxes, the sources untouched), or "" when nothing does.
inline std::string dealFault(const Game& game)
{
    std::array<int, kFaces + 2> copies{};  // no picture, each face, a picture that is no face
    for (int i = 0; i < kSlots; ++i)
        ++copies[game.faceAt(i) - kEmpty];
    for (int k = kEmpty; k <= kFaces; ++k)
        if (copies[k - kEmpty] != (k == kEmpty || k == kFaces ? 0 : 2))
            return "face " + std::to_string(k) + " dealt " + std::to_string(copies[k - kEmpty]) + " times";
    for (int k = 0; k < kFaces; ++k)
        if (game.window.board().Picture2[k].picture() != game.faces[k])
            return "source box " + std::to_string(k) + " changed";
    return {};
}

// The same, and also every slot box visible and empty, no pairs, caption
// "0", awaiting a first card.
inline std::string freshGameFault(const Game& game)
{
    if (std::string fault = dealFault(game); !fault.empty())
        return fault;
    for (int i = 0; i < kSlots; ++i) {
        const auto& box = game.window.board().Picture3[i];
        if (!box.visible() || box.picture())
            return "slot box " + std::to_string(i) + " hidden or turned";
    }
    const WindowState& s = game.state();
    if (!(s.TurnState == 0 && s.TurnState.holds<std::int16_t>()))
        return "TurnState " + std::to_string(s.TurnState.number());
    if (!(s.PairsFound == 0 && s.PairsFound.holds<std::int16_t>()))
        return "PairsFound " + std::to_string(s.PairsFound.number());
    if (game.window.board().Label1.caption() != "0")
        return "caption " + game.window.board().Label1.caption();
    return {};
}

}  // namespace koppelo::game::testing
