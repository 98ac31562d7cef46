// koppelo-deal: deals one game exactly as the start of a game does and prints
// the layout as a 6 x 6 table of face indices, one grid row per line.
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "game/frm_koppelo_rules.h"
#include "runtime/clock.h"
#include "runtime/random.h"

namespace {

using namespace koppelo;

constexpr char kUsage[] = "usage: koppelo-deal [--help]   (prints one fresh deal: six rows of six face numbers)\n";
constexpr int kWriteFailed = 1;
constexpr int kUsageError = 2;

int faceOf(const game::FrmKoppelo& window, int slot)
{
    const auto handle = window.board().Picture1[slot].handle();
    for (int k = 0; k < game::kFaces; ++k)
        if (window.board().Picture2[k].handle() == handle)
            return k;
    return -1;
}

void printDeal(const game::FrmKoppelo& window)
{
    for (int slot = 0; slot < game::kSlots; ++slot) {
        const bool lastInRow = slot % game::kColumns == game::kColumns - 1;
        std::printf("%2d%s", faceOf(window, slot), lastInRow ? "\n" : " ");
    }
}

// Output nobody received is no success: a full disk or a closed output
// shows only when the buffered text is written out.
int finishOutput(const char* what)
{
    if (std::ferror(stdout) == 0 && std::fclose(stdout) == 0)
        return 0;
    std::fprintf(stderr, "koppelo-deal: cannot write %s: %s\n", what, std::strerror(errno));
    return kWriteFailed;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc == 2 && std::string_view(argv[1]) == "--help") {
        std::fputs(kUsage, stdout);
        return finishOutput("the usage");
    }
    if (argc > 1) {
        std::fputs(kUsage, stderr);
        return kUsageError;
    }

    game::FrmKoppelo::Faces faces;
    for (auto& face : faces)
        face = runtime::makePicture();

    runtime::SystemClock clock;
    runtime::Random random(clock);
    game::FrmKoppelo window(faces, random);
    window.Form_Load();

    printDeal(window);
    return finishOutput("the deal");
}
