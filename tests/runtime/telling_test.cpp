// What each bridge raises for each thing the board tells its announcer:
// the announcer and the bridge policy alone, no toolkit.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "runtime/bridge_policy.h"

namespace koppelo::runtime {

// R(enewed), F(ocused), n (renamed), N(ews).
void PrintTo(const Signal& s, std::ostream* out)
{
    *out << "RFnN"[static_cast<int>(s.kind)] << "(" << (s.kind == Signal::Kind::News ? s.text : std::to_string(s.part)) << ")";
}

namespace {

enum { kTitle, kCard, kOtherCard, kCounter };
using Kind = Signal::Kind;
using Signals = std::vector<Signal>;

const std::vector<std::string> kDown{"Koppelo", "Kaart 1: dicht", "Kaart 2: dicht", "Paren: 0"};

Signal news(const std::string& text) { return {Kind::News, kNoPart, text}; }

struct Case {
    const char* outcome;
    std::function<void(Announcer&)> tidings;
    std::vector<std::string> names;  // after the event, where it renamed a part
    int focus;
    bool leaving;
    Signals atSpi64, atSpi68, uia;  // UI Automation is the same for both Qt versions
};

TEST(Telling, EachOutcomeOnEachBridgeInOrder)
{
    const std::vector<std::string> turned{"Koppelo", "Kaart 1: open, ijsvogel", "Kaart 2: dicht", "Paren: 0"};
    const std::vector<std::string> found{"Koppelo", "Kaart 1: gevonden, ijsvogel", "Kaart 2: dicht", "Paren: 1"};
    const std::vector<std::string> other{"Koppelo", "Kaart 1: dicht", "Kaart 2: open, ijsvogel", "Paren: 0"};
    const Case cases[] = {
        {"a card turned", [](Announcer& a) { a.actedOn(kCard); }, turned, kCard, false,
         {{Kind::Renewed, kCard}, {Kind::Focused, kCard}}, {{Kind::Renamed, kCard}},
         {{Kind::Renewed, kCard}, {Kind::Focused, kCard}}},
        {"a miss", [](Announcer& a) { a.actedOn(kCard); a.news("geen paar"); }, turned, kCard, false,
         {{Kind::Renewed, kCard}, {Kind::Focused, kCard}, news("geen paar")},
         {{Kind::Renamed, kCard}, news("geen paar")},
         {{Kind::Renewed, kCard}, {Kind::Focused, kCard}, news("geen paar")}},
        {"a pair", [](Announcer& a) { a.actedOn(kCard); a.news("paar gevonden, Paren: 1"); }, found, kCard, false,
         {{Kind::Renewed, kCard}, {Kind::Renewed, kCounter}, {Kind::Focused, kCard}, news("paar gevonden, Paren: 1")},
         {{Kind::Renamed, kCard}, news("paar gevonden, Paren: 1"), {Kind::Renamed, kCounter}},
         {{Kind::Renewed, kCard}, {Kind::Renewed, kCounter}, {Kind::Focused, kCard}, news("paar gevonden, Paren: 1")}},
        {"a new deal", [](Announcer& a) { a.news("Nieuw spel"); a.renewed(kCard); a.renewed(kOtherCard); }, kDown, kCard,
         false,
         {{Kind::Renewed, kCard}, news("Nieuw spel"), {Kind::Focused, kCard}, {Kind::Renewed, kOtherCard}},
         {news("Nieuw spel"), news(kDown[kCard])},
         {{Kind::Renewed, kCard}, news("Nieuw spel"), {Kind::Focused, kCard}, {Kind::Renewed, kOtherCard}}},
        {"the last pair, before the question", [](Announcer& a) { a.actedOn(kCard); a.news("paar gevonden"); },
         found, kCard, true, {news(found[kCard]), news("paar gevonden")}, {news(found[kCard]), news("paar gevonden")},
         {news(found[kCard]), news("paar gevonden")}},
        {"the keyboard on a card renamed meanwhile", [](Announcer& a) { a.focusMoved(kOtherCard); }, other, kOtherCard, false,
         {{Kind::Renewed, kOtherCard}, {Kind::Focused, kOtherCard}},
         {{Kind::Renamed, kOtherCard}, {Kind::Focused, kOtherCard}}, {{Kind::Focused, kOtherCard}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.outcome);
        for (const auto& [bridge, expected] : {std::pair{Bridge::AtSpiQt64, c.atSpi64}, {Bridge::AtSpiQt68, c.atSpi68},
                                               {Bridge::UiaQt64, c.uia}, {Bridge::UiaQt68, c.uia}}) {
            Announcer announcer;
            announcer.flush(kDown, c.focus, false);  // what was told before
            c.tidings(announcer);
            const std::vector<Telling> told = announcer.flush(c.names, c.focus, c.leaving);
            EXPECT_EQ(signalsFor(bridge, told, kCounter, c.names), expected) << "bridge " << static_cast<int>(bridge);
        }
    }
}

}  // namespace
}  // namespace koppelo::runtime
