#include "announcer.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <utility>

namespace koppelo::runtime {

namespace {

constexpr std::size_t kFewestWordsRead = 3;

// Counted by hand: a string stream would bring all of the library's
// streams and locales into the program for Windows.
std::size_t wordsIn(const std::string& text)
{
    std::size_t words = 0;
    bool inWord = false;
    for (const char c : text) {
        const bool space = std::isspace(static_cast<unsigned char>(c)) != 0;
        words += !space && !inWord ? 1 : 0;
        inWord = !space;
    }
    return words;
}

}  // namespace

void Announcer::focusMoved(int part)
{
    // Told once, where the keyboard last came to.
    std::erase_if(cues_, [](const Cue& cue) { return cue.kind == Cue::Kind::FocusMoved; });
    cues_.push_back({Cue::Kind::FocusMoved, part});
}

void Announcer::actedOn(int part) { cues_.push_back({Cue::Kind::ActedOn, part}); }

void Announcer::renewed(int part) { cues_.push_back({Cue::Kind::Renewed, part}); }

void Announcer::news(std::string text) { cues_.push_back({Cue::Kind::News, kNoPart, std::move(text)}); }

// Where the focused part is told among the cues: where the player acted
// on it, else where it last became new or the keyboard last came to it; the
// end if none of these.
std::vector<Announcer::Cue>::const_iterator Announcer::focusPlace(int focus) const
{
    const auto acted = std::find_if(cues_.begin(), cues_.end(), [focus](const Cue& t) {
        return t.part == focus && t.kind == Cue::Kind::ActedOn;
    });
    if (acted != cues_.end())
        return acted;
    const auto last = std::find_if(cues_.rbegin(), cues_.rend(), [focus](const Cue& t) {
        return t.part == focus && (t.kind == Cue::Kind::Renewed || t.kind == Cue::Kind::FocusMoved);
    });
    return last == cues_.rend() ? cues_.end() : std::prev(last.base());
}

std::vector<Telling> Announcer::flush(const std::vector<std::string>& names, int focus, Next next)
{
    // A first look, or parts added since: nothing yet to compare with.
    if (told_.size() != names.size())
        told_ = names;
    if (next == Next::ModalWindow && focus != kNoPart) {
        for (Cue& cue : cues_) {
            if (cue.kind == Cue::Kind::ActedOn && cue.part == focus)
                cue = {Cue::Kind::News, kNoPart, names.at(static_cast<std::size_t>(focus))};
        }
    }
    if (focus == kNoPart || next == Next::ModalWindow)
        return newsAlone();

    std::vector<bool> renamed(names.size());
    std::vector<bool> renewed(names.size());
    std::vector<bool> fresh(names.size());
    for (const Cue& cue : cues_) {
        if (cue.kind == Cue::Kind::Renewed)
            renewed.at(static_cast<std::size_t>(cue.part)) = true;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        renamed[i] = names[i] != told_[i];
        fresh[i] = renamed[i] || renewed[i];
    }
    const auto index = static_cast<std::size_t>(focus);
    const bool moved = std::any_of(cues_.begin(), cues_.end(), [focus](const Cue& t) {
        return t.part == focus && t.kind == Cue::Kind::FocusMoved;
    });
    const auto place = focusPlace(focus);
    bool focusWaits = place != cues_.end() || fresh[index];

    std::vector<Telling> told;
    const auto tellFocus = [&] {
        focusWaits = false;
        told.push_back({Telling::Kind::Focus, focus, {}, moved, fresh[index], renamed[index], renewed[index]});
        fresh[index] = false;
    };
    for (auto cue = cues_.begin(); cue != cues_.end(); ++cue) {
        if (focusWaits && cue == place)
            tellFocus();
        if (cue->kind == Cue::Kind::News)
            told.push_back({Telling::Kind::News, kNoPart, cue->news});
    }
    if (focusWaits)
        tellFocus();
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        if (fresh[i])
            told.push_back({Telling::Kind::Changed, static_cast<int>(i), {}, false, true, renamed[i], renewed[i]});
    }
    told_ = names;
    cues_.clear();
    return told;
}

// Away from the keyboard only the news goes out; the rest waits for the
// keyboard, as a screen reader's focus is elsewhere meanwhile and would take
// a part's change for one of the part it last focused.
std::vector<Telling> Announcer::newsAlone()
{
    std::vector<Telling> told;
    std::vector<Cue> waiting;
    for (const Cue& cue : cues_) {
        if (cue.kind == Cue::Kind::News)
            told.push_back({Telling::Kind::News, kNoPart, cue.news});
        else
            waiting.push_back(cue);
    }
    cues_ = std::move(waiting);
    return told;
}

namespace {

using Kind = BridgeEvent::Kind;

// The toolkit focuses the card by its element, with its name then, and a
// screen reader reads a newly focused element afresh: the card the keyboard
// comes back to is made anew only if it became a new card since. Elsewhere a
// screen reader keeps the name it last had, so a renamed card is made anew.
bool madeAnew(const Telling& item, bool toolkitFocusesTheCard)
{
    if (item.kind == Telling::Kind::Focus && item.moved && toolkitFocusesTheCard)
        return item.renewed;
    return item.changed;
}

// The parts the news is about are made anew first (the focused part, and the
// status part where the news objects are its children), then all is told in
// order; each part made anew once.
std::vector<BridgeEvent> asNewObjects(const std::vector<Telling>& told, int statusPart, bool toolkitFocusesTheCard)
{
    std::vector<BridgeEvent> raised;
    const auto renew = [&raised](int part) {
        const BridgeEvent event{Kind::Renewed, part};
        if (std::find(raised.begin(), raised.end(), event) == raised.end())
            raised.push_back(event);
    };
    for (const Telling& item : told) {
        if (madeAnew(item, toolkitFocusesTheCard) && (item.kind == Telling::Kind::Focus || item.part == statusPart))
            renew(item.part);
    }
    for (const Telling& item : told) {
        switch (item.kind) {
        case Telling::Kind::Focus:
            raised.push_back({Kind::Focused, item.part});
            break;
        case Telling::Kind::News:
            raised.push_back({Kind::News, kNoPart, item.news});
            break;
        case Telling::Kind::Changed:
            renew(item.part);
            break;
        }
    }
    return raised;
}

// The focus is spoken where it moves to. A focused part that shows something
// new is spoken by its name change where the screen reader speaks one
// (renameHeard), else by its name told as news: a screen reader in a web
// page (Orca in Chromium) stays silent on a change of the focused part's name.
std::vector<BridgeEvent> asRenamed(const std::vector<Telling>& told, const std::vector<std::string>& names,
                                   bool renameHeard)
{
    std::vector<BridgeEvent> raised;
    for (const Telling& item : told) {
        if (item.kind == Telling::Kind::News) {
            raised.push_back({Kind::News, kNoPart, item.news});
            continue;
        }
        if (item.renamed)
            raised.push_back({Kind::Renamed, item.part});
        if (item.kind != Telling::Kind::Focus)
            continue;
        if (item.moved)
            raised.push_back({Kind::Focused, item.part});
        else if (!item.renamed || !renameHeard)
            raised.push_back({Kind::News, kNoPart, names.at(static_cast<std::size_t>(item.part))});
    }
    return raised;
}

// One event's news as one text, where the first news came: a screen reader
// may speak only the last of several texts put in a web page's live region at once.
std::vector<BridgeEvent> newsAsOne(std::vector<BridgeEvent> raised)
{
    const auto isNews = [](const BridgeEvent& e) { return e.kind == Kind::News; };
    const auto first = std::find_if(raised.begin(), raised.end(), isNews);
    if (first == raised.end())
        return raised;
    for (auto later = std::next(first); later != raised.end(); ++later)
        if (isNews(*later))
            first->text += kReadTogetherJoint + later->text;
    raised.erase(std::remove_if(std::next(first), raised.end(), isNews), raised.end());
    return raised;
}

}  // namespace

std::vector<BridgeEvent> eventsFor(Bridge bridge, const std::vector<Telling>& told, int statusPart,
                                   const std::vector<std::string>& names)
{
    switch (bridge) {
    case Bridge::AtSpiQt68:
        return asRenamed(told, names, true);
    case Bridge::AtSpiQt64:
        return asNewObjects(told, statusPart, false);
    case Bridge::UiaQt64:
    case Bridge::UiaQt68:
        return asNewObjects(told, statusPart, true);
    case Bridge::Aria:
        return newsAsOne(asRenamed(told, names, false));
    }
    return {};
}

std::vector<std::vector<std::size_t>> readTogether(const std::vector<std::string>& texts)
{
    std::vector<std::vector<std::size_t>> runs;
    std::size_t words = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (runs.empty() || words >= kFewestWordsRead) {
            runs.emplace_back();
            words = 0;
        }
        runs.back().push_back(i);
        words += wordsIn(texts[i]);
    }
    return runs;
}

}  // namespace koppelo::runtime
