// koppelo-deal: deals one game exactly as the start of a game does and prints
// the layout as a 6 x 6 table of face indices, one grid row per line.
#include <array>
#include <cstdio>

#include "game/frm_koppelo.h"
#include "runtime/clock.h"
#include "runtime/fixed_answer.h"
#include "runtime/random.h"

namespace {

using namespace koppelo;

int faceOf(const game::FrmKoppelo& window, int slot)
{
    const auto handle = window.board().Picture1[slot].handle();
    for (int k = 0; k < game::kFaces; ++k)
        if (window.board().Picture2[k].handle() == handle)
            return k;
    return -1;
}

}  // namespace

int main()
{
    game::FrmKoppelo::Faces faces;
    for (auto& face : faces)
        face = runtime::makePicture();

    runtime::SystemClock clock;
    runtime::Random random(clock);
    // The deal never asks a question; No would keep a won game as it is.
    runtime::FixedAnswer questions(runtime::kNo);
    game::FrmKoppelo window(faces, random, questions);
    window.Form_Load();

    for (int slot = 0; slot < game::kSlots; ++slot) {
        const bool lastInRow = slot % game::kColumns == game::kColumns - 1;
        std::printf("%2d%s", faceOf(window, slot), lastInRow ? "\n" : " ");
    }
    return 0;
}
