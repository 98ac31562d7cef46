// What each bridge raises for each thing the board tells its announcer:
// the announcer and the bridge policy alone, no toolkit.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "runtime/announcer.h"

namespace koppelo::runtime {

// R(enewed), F(ocused), n (renamed), N(ews).
void PrintTo(const BridgeEvent& e, std::ostream* out)
{
    *out << "RFnN"[static_cast<int>(e.kind)] << "(" << (e.kind == BridgeEvent::Kind::News ? e.text : std::to_string(e.part)) << ")";
}

namespace {

enum { kTitle, kCard, kOtherCard, kCounter };
using Events = std::vector<BridgeEvent>;
using Names = std::vector<std::string>;

BridgeEvent R(int part) { return {BridgeEvent::Kind::Renewed, part}; }
BridgeEvent F(int part) { return {BridgeEvent::Kind::Focused, part}; }
BridgeEvent n(int part) { return {BridgeEvent::Kind::Renamed, part}; }
BridgeEvent N(const std::string& text) { return {BridgeEvent::Kind::News, kNoPart, text}; }

struct Case {
    const char* outcome;
    std::function<void(Announcer&)> cues;
    Names names;  // after the event
    int focus;    // kNoPart: the keyboard is away, under a modal window
    Next next;
    bool keyboardReturns;  // then to kCard, and what was held back is told
    Events atSpi64, atSpi68, uia, aria;  // UI Automation is the same for both Qt versions
};

TEST(Telling, EachOutcomeOnEachBridgeInOrder)
{
    const Names down{"Koppelo", "Kaart 1: dicht", "Kaart 2: dicht", "Paren: 0"};
    const Names turned{"Koppelo", "Kaart 1: open, ijsvogel", "Kaart 2: dicht", "Paren: 0"};
    const Names found{"Koppelo", "Kaart 1: gevonden, ijsvogel", "Kaart 2: dicht", "Paren: 1"};
    const Names other{"Koppelo", "Kaart 1: dicht", "Kaart 2: open, ijsvogel", "Paren: 0"};
    const std::string pair = "paar gevonden, Paren: 1";
    const Next stays = Next::KeyboardStays;
    const auto pairCues = [&](Announcer& a) { a.actedOn(kCard); a.news(pair); };
    const auto dealCues = [](Announcer& a) { a.news("Nieuw spel"); a.renewed(kCard); a.renewed(kOtherCard); };
    const Case cases[] = {
        {"a card turned", [](Announcer& a) { a.actedOn(kCard); }, turned, kCard, stays, false,
         {R(kCard), F(kCard)}, {n(kCard)}, {R(kCard), F(kCard)}, {n(kCard), N(turned[kCard])}},
        {"a miss", [](Announcer& a) { a.actedOn(kCard); a.news("geen paar"); }, turned, kCard, stays, false,
         {R(kCard), F(kCard), N("geen paar")}, {n(kCard), N("geen paar")}, {R(kCard), F(kCard), N("geen paar")},
         {n(kCard), N(turned[kCard] + ", geen paar")}},
        {"a pair", pairCues, found, kCard, stays, false,
         {R(kCard), R(kCounter), F(kCard), N(pair)}, {n(kCard), N(pair), n(kCounter)},
         {R(kCard), R(kCounter), F(kCard), N(pair)}, {n(kCard), N(found[kCard] + ", " + pair), n(kCounter)}},
        {"a new deal", dealCues, down, kCard, stays, false, {R(kCard), N("Nieuw spel"), F(kCard), R(kOtherCard)},
         {N("Nieuw spel"), N(down[kCard])}, {R(kCard), N("Nieuw spel"), F(kCard), R(kOtherCard)},
         {N("Nieuw spel, " + down[kCard])}},
        {"the last pair, before the question: its card as news", pairCues, found, kCard, Next::ModalWindow, false,
         {N(found[kCard]), N(pair)}, {N(found[kCard]), N(pair)}, {N(found[kCard]), N(pair)},
         {N(found[kCard] + ", " + pair)}},
        {"a new deal from the menu: the news, the new cards once the keyboard is back", dealCues, down, kNoPart, stays,
         true, {N("Nieuw spel"), R(kCard), F(kCard), R(kOtherCard)}, {N("Nieuw spel"), F(kCard)},
         {N("Nieuw spel"), R(kCard), F(kCard), R(kOtherCard)}, {N("Nieuw spel"), F(kCard)}},
        {"the keyboard on a card renamed meanwhile", [](Announcer& a) { a.focusMoved(kOtherCard); }, other,
         kOtherCard, stays, false, {R(kOtherCard), F(kOtherCard)}, {n(kOtherCard), F(kOtherCard)}, {F(kOtherCard)},
         {n(kOtherCard), F(kOtherCard)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.outcome);
        for (const auto& [bridge, expected] :
             {std::pair{Bridge::AtSpiQt64, c.atSpi64}, {Bridge::AtSpiQt68, c.atSpi68}, {Bridge::UiaQt64, c.uia},
              {Bridge::UiaQt68, c.uia}, {Bridge::Aria, c.aria}}) {
            Announcer announcer;
            announcer.flush(down, kCard);  // what was told before
            c.cues(announcer);
            Events raised = eventsFor(bridge, announcer.flush(c.names, c.focus, c.next), kCounter, c.names);
            if (c.keyboardReturns) {
                announcer.focusMoved(kCard);
                for (const BridgeEvent& e : eventsFor(bridge, announcer.flush(c.names, kCard), kCounter, c.names))
                    raised.push_back(e);
            }
            EXPECT_EQ(raised, expected) << "bridge " << static_cast<int>(bridge);
        }
    }
}

TEST(Telling, DialogTextsOfFewerThanThreeWordsAreReadWithTheNext)
{
    EXPECT_TRUE(readTogether({}).empty());
    EXPECT_EQ(readTogether({"Vogel-Koppelo", "versie 1.0", "Een spel voor  iedereen", " ", "OK"}),
              (std::vector<std::vector<std::size_t>>{{0, 1}, {2}, {3, 4}}));
}

}  // namespace
}  // namespace koppelo::runtime
