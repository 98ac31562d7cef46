// A game window's model without a window, its board read back as face indices.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "counting_clock.h"
#include "game/frm_koppelo_rules.h"
#include "oracle/oracle.h"
#include "oracle/rig.h"

namespace koppelo::game::testing {

inline constexpr int kEmpty = -1;  // face index of a box without a picture

using Layout = std::array<int, kSlots>;
using testkit::CountingClock;

class Game {
public:
    explicit Game(std::unique_ptr<runtime::Clock> readings = std::make_unique<CountingClock>())
        : clock(std::move(readings)), random(*clock), window(faces, random)
    {
    }

    Board& board() { return Rig::board(window); }
    const WindowState& state() const { return window.state(); }
    // As the window clicks: a game won is asked about, and answered.
    void click(int slot)
    {
        const Handled handled = window.Picture3_Click(static_cast<std::int16_t>(slot));
        told = handled.outcomes;
        if (handled.snapshot.questionDue) {
            ++asked;
            std::ranges::copy(window.winQuestionAnswered(answer).outcomes, std::back_inserter(told));
        }
    }

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
    void arrange(const Layout& layout)
    {
        for (int i = 0; i < kSlots; ++i)
            board().Picture1[i].setPicture(faces.at(layout[i]));
    }
    std::array<int, 2> slotsOf(int face) const
    {
        std::array<int, 2> slots{kEmpty, kEmpty};
        for (int i = 0, found = 0; i < kSlots && found < 2; ++i)
            if (faceAt(i) == face)
                slots[found++] = i;
        return slots;
    }
    Whole whole() const { return game::whole(window); }
    std::string freshGameFault() const { return game::freshGameFault(window, faces); }

    FrmKoppelo::Faces faces = [] {
        FrmKoppelo::Faces fresh;
        std::ranges::generate(fresh, [] { return runtime::makePicture(); });
        return fresh;
    }();
    std::unique_ptr<runtime::Clock> clock;
    runtime::Random random;
    FrmKoppelo window;
    std::int32_t answer = runtime::kNo;  // to the end-of-game question
    int asked = 0;
    Outcomes told;  // what the last click came to
};

}  // namespace koppelo::game::testing
