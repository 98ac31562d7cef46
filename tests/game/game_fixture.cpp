#include "game_fixture.h"

#include <stdexcept>

namespace koppelo::game::testing {

namespace {

constexpr std::uint64_t kClockBudget = 100'000'000;

FrmKoppelo::Faces freshFaces()
{
    FrmKoppelo::Faces faces;
    for (auto& face : faces)
        face = runtime::makePicture();
    return faces;
}

}  // namespace

std::uint64_t CountingClock::now()
{
    if (++readings_ > kClockBudget)
        throw std::runtime_error("the clock was read too often: a deal does not end");
    return reading_ += step_;
}

std::int32_t ScriptedMessageBox::show(const std::string& prompt, const std::string& title, std::int32_t style)
{
    asked.push_back({prompt, title, style});
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << prompt;
        return runtime::kNo;
    }
    const std::int32_t answer = answers.front();
    answers.pop_front();
    return answer;
}

Game::Game(std::unique_ptr<runtime::Clock> readings)
    : faces(freshFaces()), clock(std::move(readings)), random(*clock), window(faces, random, questions)
{
}

int Game::faceOf(const runtime::PictureBox& box) const
{
    if (!box.picture())
        return kEmpty;
    int k = 0;
    while (k < kFaces && box.picture() != faces[k])
        ++k;
    return k;
}

std::array<int, 2> Game::slotsOf(int face) const
{
    std::array<int, 2> slots{kEmpty, kEmpty};
    for (int i = kSlots - 1; i >= 0; --i)
        if (faceAt(i) == face)
            slots = {i, slots[0]};
    return slots;
}

std::vector<int> Game::faceUpSlots() const
{
    std::vector<int> slots;
    for (int i = 0; i < kSlots; ++i)
        if (window.board().Picture3[i].picture())
            slots.push_back(i);
    return slots;
}

Layout Game::layout() const
{
    Layout layout;
    for (int i = 0; i < kSlots; ++i)
        layout[i] = faceAt(i);
    return layout;
}

void Game::arrange(const Layout& layout)
{
    for (int i = 0; i < kSlots; ++i)
        window.board().Picture1[i].setPicture(faces.at(layout[i]));
}

Snapshot Game::snapshot() const
{
    const Board& b = window.board();
    const WindowState& s = window.state();
    std::vector<double> values;
    for (int i = 0; i < kSlots; ++i)
        values.insert(values.end(), {double(b.Picture1[i].handle()), double(b.Picture3[i].handle()),
                                     double(b.Picture3[i].visible())});
    for (const auto& source : b.Picture2)
        values.push_back(source.handle());
    for (const auto* box : {&b.Picture4, &b.Picture5, &b.Picture6})
        values.push_back(box->handle());
    for (const auto* v : {&s.LoopIndex, &s.DrawnSlot, &s.TurnState, &s.FirstCard, &s.PairsFound})
        values.insert(values.end(), {double(v->isEmpty()), v->number()});
    values.push_back(s.SecondCard);
    return {values, b.Label1.caption()};
}

void Game::watch()
{
    Board& b = window.board();
    const auto count = [this] { ++notifications; };
    for (auto* group : {&b.Picture1, &b.Picture3})
        for (auto& box : *group)
            box.setObserver(count);
    for (auto& box : b.Picture2)
        box.setObserver(count);
    for (auto* box : {&b.Picture4, &b.Picture5, &b.Picture6})
        box->setObserver(count);
    b.Label1.setObserver(count);
}

std::string dealFault(const Game& game)
{
    std::array<int, kFaces + 1> copies{};
    for (int i = 0; i < kSlots; ++i) {
        if (game.faceAt(i) == kEmpty)
            return "layout box " + std::to_string(i) + " empty";
        ++copies[game.faceAt(i)];
    }
    for (int k = 0; k <= kFaces; ++k)
        if (copies[k] != (k < kFaces ? 2 : 0))
            return "face " + std::to_string(k) + " dealt " + std::to_string(copies[k]) + " times";
    for (int k = 0; k < kFaces; ++k)
        if (game.window.board().Picture2[k].picture() != game.faces[k])
            return "source box " + std::to_string(k) + " changed";
    return {};
}

std::string freshGameFault(const Game& game)
{
    if (std::string fault = dealFault(game); !fault.empty())
        return fault;
    for (int i = 0; i < kSlots; ++i) {
        const auto& box = game.window.board().Picture3[i];
        if (!box.visible() || box.picture())
            return "slot box " + std::to_string(i) + " hidden or turned";
    }
    const WindowState& s = game.window.state();
    if (!(s.TurnState == 0 && s.TurnState.holds<std::int16_t>()))
        return "TurnState " + std::to_string(s.TurnState.number());
    if (!(s.PairsFound == 0 && s.PairsFound.holds<std::int16_t>()))
        return "PairsFound " + std::to_string(s.PairsFound.number());
    if (game.window.board().Label1.caption() != "0")
        return "caption " + game.window.board().Label1.caption();
    return {};
}

}  // namespace koppelo::game::testing
