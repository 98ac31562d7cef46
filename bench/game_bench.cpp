// The two things the player waits for: a whole deal and one accepted click.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "game/frm_koppelo_rules.h"
#include "runtime/clock.h"
#include "runtime/random.h"
#include "spread.h"

namespace {

using namespace koppelo;

game::FrmKoppelo::Faces freshFaces()
{
    game::FrmKoppelo::Faces faces;
    for (auto& face : faces)
        face = runtime::makePicture();
    return faces;
}

struct LoadedWindow {
    LoadedWindow() { window.Form_Load(); }

    runtime::SystemClock clock;
    runtime::Random random{clock};
    game::FrmKoppelo window{freshFaces(), random};
};

void BM_NewGame(benchmark::State& state)
{
    LoadedWindow w;
    for (auto _ : state)
        w.window.mnuSpelNieuw_Click();
}
BENCHMARK(BM_NewGame)->Apply(bench::withSpread);

// Two slots of different faces clicked in turn: every click is accepted,
// alternately a first card and a missed second card.
void BM_AcceptedClick(benchmark::State& state)
{
    LoadedWindow w;
    const game::Board& board = w.window.board();
    std::int16_t other = 1;
    while (board.Picture1[other].handle() == board.Picture1[0].handle())
        ++other;
    std::int16_t slots[] = {0, other};
    int next = 0;
    for (auto _ : state) {
        w.window.Picture3_Click(slots[next]);
        next ^= 1;
    }
    if (board.Picture3[slots[next ^ 1]].handle() == runtime::kEmptyHandle)
        state.SkipWithError("the last click was not accepted");
}
BENCHMARK(BM_AcceptedClick)->Apply(bench::withSpread);

}  // namespace

int main(int argc, char* argv[])
{
    return koppelo::bench::runWithSpread(argc, argv);
}
