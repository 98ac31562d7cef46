#include "web/web_game.h"

#include <utility>
#include <stdexcept>
#include "runtime/answers.h"
#include "runtime/picture.h"
#include "texts/catalogue.h"
#include "web/json.h"
#include "web/parts.h"

namespace koppelo::web {

namespace {

// The page loads each face's picture itself; here a face is only its handle.
game::FrmKoppelo::Faces madeFaces()
{
    game::FrmKoppelo::Faces made;
    for (auto& face : made)
        face = runtime::makePicture();
    return made;
}

const char* stateName(game::CardState state)
{
    switch (state) {
    case game::CardState::FaceUp:
        return "up";
    case game::CardState::Found:
        return "found";
    case game::CardState::FaceDown:
        break;
    }
    return "down";
}

const char* eventName(runtime::BridgeEvent::Kind kind)
{
    switch (kind) {
    case runtime::BridgeEvent::Kind::Renewed:
        return "renew";
    case runtime::BridgeEvent::Kind::Focused:
        return "focus";
    case runtime::BridgeEvent::Kind::Renamed:
        return "rename";
    case runtime::BridgeEvent::Kind::News:
        break;
    }
    return "news";
}

void checkSlot(int slot)
{
    if (slot < 0 || slot >= game::kSlots)
        throw std::out_of_range("slot");
}

}  // namespace

WebGame::WebGame(std::unique_ptr<runtime::Clock> clock)
    : clock_(std::move(clock)), random_(*clock_), faces_(madeFaces()), game_(faces_, random_)
{
}

std::string WebGame::load() { return present(game_.Form_Load()); }

std::string WebGame::click(int slot)
{
    checkSlot(slot);
    return present(game_.Picture3_Click(static_cast<std::int16_t>(slot)));
}

std::string WebGame::newGame() { return present(game_.mnuSpelNieuw_Click()); }

std::string WebGame::answer(bool yes) { return present(game_.winQuestionAnswered(yes ? runtime::kYes : runtime::kNo)); }

std::string WebGame::focus(int slot)
{
    if (slot != runtime::kNoPart)
        checkSlot(slot);
    focus_ = slot;
    if (slot != runtime::kNoPart)
        announcer_.focusMoved(slot);
    return present({{}, game_.snapshot()});
}

std::string WebGame::present(const game::Handled& handled)
{
    const game::Snapshot& shown = handled.snapshot;
    for (const game::Outcome& outcome : handled.outcomes)
        cue(announcer_, outcome);
    const std::vector<std::string> names = partNames(shown);
    const runtime::Next next = shown.questionDue ? runtime::Next::ModalWindow : runtime::Next::KeyboardStays;
    // The news goes out through the page's live region, not a part.
    return view(shown, names, runtime::eventsFor(runtime::Bridge::Aria, announcer_.flush(names, focus_, next),
                                          runtime::kNoPart, names));
}

std::string WebGame::seen() const
{
    const game::Snapshot now = game_.snapshot();
    return view(now, partNames(now), {});
}

std::string WebGame::view(const game::Snapshot& shown, const std::vector<std::string>& names,
                          const std::vector<runtime::BridgeEvent>& events) const
{
    // Appended piece by piece: GCC 12 misreads "literal" + a temporary string
    // as an overlapping copy.
    std::string json = "{\"cards\":[";
    for (int i = 0; i < game::kSlots; ++i) {
        const game::CardSeen& card = shown.cards[static_cast<std::size_t>(i)];
        json += i == 0 ? "{\"state\":\"" : ",{\"state\":\"";
        json += stateName(card.state);
        json += '"';
        if (card.state != game::CardState::FaceDown) {
            json += ",\"face\":";
            json += std::to_string(card.face);
        }
        json += '}';
    }
    json += "],\"first\":";
    json += std::to_string(shown.firstPreview);
    json += ",\"second\":";
    json += std::to_string(shown.secondPreview);
    json += ",\"pairs\":";
    json += jsonString(shown.pairs);
    json += ",\"questionDue\":";
    json += shown.questionDue ? "true" : "false";
    json += ",\"names\":[";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            json += ',';
        json += jsonString(names[i]);
    }
    json += "],\"events\":[";
    for (std::size_t i = 0; i < events.size(); ++i) {
        const runtime::BridgeEvent& event = events[i];
        json += i == 0 ? "{\"kind\":\"" : ",{\"kind\":\"";
        json += eventName(event.kind);
        if (event.kind == runtime::BridgeEvent::Kind::News) {
            json += "\",\"text\":";
            json += jsonString(event.text);
        } else {
            json += "\",\"part\":";
            json += std::to_string(event.part);
        }
        json += '}';
    }
    return json + "]}";
}

std::string textsJson()
{
    const texts::MainWindowTexts& words = texts::chosen().main;
    std::string json = "{";
    for (const auto& [key, text] : {std::pair{"menuGame", words.menuGame}, {"menuNewGame", words.menuNewGame},
                                    {"menuHelp", words.menuHelp}, {"menuAbout", words.menuAbout}}) {
        json += '"';
        json += key;
        json += "\":";
        json += jsonString(text);
        json += ',';
    }
    json += "\"newsBeforeModalMs\":";
    json += std::to_string(runtime::kNewsBeforeModalMs);
    return json + "}";
}

}  // namespace koppelo::web
