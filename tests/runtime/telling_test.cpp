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
void PrintTo(const Signal& s, std::ostream* out)
{
    *out << "RFnN"[static_cast<int>(s.kind)] << "(" << (s.kind == Signal::Kind::News ? s.text : std::to_string(s.part)) << ")";
}

namespace {

enum { kTitle, kCard, kOtherCard, kCounter };
using Signals = std::vector<Signal>;
using Names = std::vector<std::string>;

Signal R(int part) { return {Signal::Kind::Renewed, part}; }
Signal F(int part) { return {Signal::Kind::Focused, part}; }
Signal n(int part) { return {Signal::Kind::Renamed, part}; }
Signal N(const std::string& text) { return {Signal::Kind::News, kNoPart, text}; }

struct Case {
    const char* outcome;
    std::function<void(Announcer&)> tidings;
    Names names;  // after the event
    int focus;  // kNoPart: a modal window takes the keyboard next
    Signals atSpi64, atSpi68, uia;  // UI Automation is the same for both Qt versions
};

TEST(Telling, EachOutcomeOnEachBridgeInOrder)
{
    const Names down{"Koppelo", "Kaart 1: dicht", "Kaart 2: dicht", "Paren: 0"};
    const Names turned{"Koppelo", "Kaart 1: open, ijsvogel", "Kaart 2: dicht", "Paren: 0"};
    const Names found{"Koppelo", "Kaart 1: gevonden, ijsvogel", "Kaart 2: dicht", "Paren: 1"};
    const Names other{"Koppelo", "Kaart 1: dicht", "Kaart 2: open, ijsvogel", "Paren: 0"};
    const std::string pair = "paar gevonden, Paren: 1";
    const Case cases[] = {
        {"a card turned", [](Announcer& a) { a.actedOn(kCard); }, turned, kCard,
         {R(kCard), F(kCard)}, {n(kCard)}, {R(kCard), F(kCard)}},
        {"a miss", [](Announcer& a) { a.actedOn(kCard); a.news("geen paar"); }, turned, kCard,
         {R(kCard), F(kCard), N("geen paar")}, {n(kCard), N("geen paar")}, {R(kCard), F(kCard), N("geen paar")}},
        {"a pair", [&](Announcer& a) { a.actedOn(kCard); a.news(pair); }, found, kCard,
         {R(kCard), R(kCounter), F(kCard), N(pair)}, {n(kCard), N(pair), n(kCounter)},
         {R(kCard), R(kCounter), F(kCard), N(pair)}},
        {"a new deal", [](Announcer& a) { a.news("Nieuw spel"); a.renewed(kCard); a.renewed(kOtherCard); }, down,
         kCard, {R(kCard), N("Nieuw spel"), F(kCard), R(kOtherCard)}, {N("Nieuw spel"), N(down[kCard])},
         {R(kCard), N("Nieuw spel"), F(kCard), R(kOtherCard)}},
        {"the last pair, before the question", [&](Announcer& a) { a.news(found[kCard]); a.news(pair); }, found,
         kNoPart, {N(found[kCard]), N(pair)}, {N(found[kCard]), N(pair)}, {N(found[kCard]), N(pair)}},
        {"the keyboard on a card renamed meanwhile", [](Announcer& a) { a.focusMoved(kOtherCard); }, other,
         kOtherCard, {R(kOtherCard), F(kOtherCard)}, {n(kOtherCard), F(kOtherCard)}, {F(kOtherCard)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.outcome);
        for (const auto& [bridge, expected] : {std::pair{Bridge::AtSpiQt64, c.atSpi64}, {Bridge::AtSpiQt68, c.atSpi68},
                                               {Bridge::UiaQt64, c.uia}, {Bridge::UiaQt68, c.uia}}) {
            Announcer announcer;
            announcer.flush(down, kCard);  // what was told before
            c.tidings(announcer);
            const std::vector<Telling> told = announcer.flush(c.names, c.focus);
            EXPECT_EQ(signalsFor(bridge, told, kCounter, c.names), expected) << "bridge " << static_cast<int>(bridge);
        }
    }
}

}  // namespace
}  // namespace koppelo::runtime
