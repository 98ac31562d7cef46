// Arbitrary bytes played on the windowless game. Each step reads one byte:
// a low byte starts a new game; a middle byte plays a card (the partner of
// an open first card, else the first face-down card from some slot on), so
// whole games are within reach; a high byte clicks the 16-bit slot index in
// the next two bytes, valid or not. When the rules report a game won, the
// end-of-game question is answered Yes or No from the next byte, as the
// window would ask it. After every step the game's invariants hold, a click
// the rules ignore or refuse changes nothing, the question comes exactly at
// the end of a game, and the outcomes told are what each click came to.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "counting_clock.h"
#include "game/frm_koppelo_rules.h"
#include "oracle/oracle.h"
#include "runtime/answers.h"
#include "runtime/random.h"

namespace {

using namespace koppelo;

constexpr std::uint8_t kLastNewGameByte = 0x0F;
constexpr std::uint8_t kLastCardByte = 0x7F;
constexpr std::uint8_t kYesBit = 0x01;
constexpr int kBitsPerByte = 8;

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return next_ >= size_; }
    std::uint8_t take() { return empty() ? 0 : data_[next_++]; }
    std::int16_t takeIndex()
    {
        const auto low = take();
        const auto high = take();
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | high << kBitsPerByte));
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};

class ScriptedQuestion {
public:
    explicit ScriptedQuestion(Bytes& bytes) : bytes_(bytes) {}

    std::int32_t ask()
    {
        ++asked;
        lastAnswer = (bytes_.take() & kYesBit) != 0 ? runtime::kYes : runtime::kNo;
        return lastAnswer;
    }

    int asked = 0;
    std::int32_t lastAnswer = runtime::kNo;

private:
    Bytes& bytes_;
};

[[noreturn]] void fail(const std::string& what, std::size_t step)
{
    std::fprintf(stderr, "step %zu: %s\n", step, what.c_str());
    std::abort();
}

// The partner of an open first card, else the first face-down card from `from` on.
std::int16_t cardToPlay(const game::FrmKoppelo& window, int from)
{
    const game::Board& b = window.board();
    if (window.state().TurnState == game::kAwaitSecond)
        return static_cast<std::int16_t>(game::partnerOf(window, window.state().FirstCard.toInt16()));
    for (int n = 0; n < game::kSlots; ++n) {
        const int i = (from + n) % game::kSlots;
        if (b.Picture3[i].visible() && b.Picture3[i].handle() == runtime::kEmptyHandle)
            return static_cast<std::int16_t>(i);
    }
    return static_cast<std::int16_t>(from);
}

void click(game::FrmKoppelo& window, const game::Faces& faces, ScriptedQuestion& question,
           std::vector<game::Outcome>& told, std::int16_t index, std::size_t step)
{
    const game::ClickAudit audit(window, index, question.asked);
    told.clear();
    const bool valid = audit.fate() != game::ClickFate::Refused;
    try {
        game::Handled handled = window.Picture3_Click(index);
        told = handled.outcomes;
        if (handled.snapshot.questionDue) {
            handled = window.winQuestionAnswered(question.ask());
            std::ranges::copy(handled.outcomes, std::back_inserter(told));
        }
        if (handled.snapshot != window.snapshot())
            fail("what the player sees is not what was handed out", step);
        if (!valid)
            fail("slot index " + std::to_string(index) + " was taken", step);
    } catch (const std::out_of_range&) {
        if (valid)
            fail("slot index " + std::to_string(index) + " was refused", step);
    }
    if (const std::string fault = audit.fault(window, faces, question.asked, question.lastAnswer == runtime::kYes, told);
        !fault.empty())
        fail(fault, step);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes bytes(data, size);
    // A clock that counts: the same input always deals the same.
    testkit::CountingClock clock;
    runtime::Random random(clock);
    ScriptedQuestion question(bytes);
    game::Faces faces;
    for (auto& face : faces)
        face = runtime::makePicture();
    game::FrmKoppelo window(faces, random);
    std::vector<game::Outcome> told;
    window.Form_Load();

    for (std::size_t step = 0; !bytes.empty(); ++step) {
        const std::uint8_t op = bytes.take();
        if (op <= kLastNewGameByte)
            window.mnuSpelNieuw_Click();
        else if (op <= kLastCardByte)
            click(window, faces, question, told, cardToPlay(window, op % game::kSlots), step);
        else
            click(window, faces, question, told, bytes.takeIndex(), step);
        if (const std::string broken = game::gameFault(window, faces); !broken.empty())
            fail(broken, step);
    }
    return 0;
}
