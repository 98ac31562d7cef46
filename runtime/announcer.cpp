#include "announcer.h"

#include <algorithm>
#include <iterator>
#include <sstream>
#include <utility>

namespace koppelo::runtime {

namespace {

constexpr std::size_t kFewestWordsRead = 3;

std::size_t wordsIn(const std::string& text)
{
    std::istringstream words(text);
    return static_cast<std::size_t>(std::distance(std::istream_iterator<std::string>(words), {}));
}

}  // namespace

void Announcer::focusMoved(int part)
{
    // Told once, where the keyboard last came to.
    std::erase_if(tidings_, [](const Tiding& t) { return t.kind == Tiding::Kind::FocusMoved; });
    tidings_.push_back({Tiding::Kind::FocusMoved, part});
}

void Announcer::actedOn(int part) { tidings_.push_back({Tiding::Kind::ActedOn, part}); }

void Announcer::renewed(int part) { tidings_.push_back({Tiding::Kind::Renewed, part}); }

void Announcer::news(std::string text) { tidings_.push_back({Tiding::Kind::News, kNoPart, std::move(text)}); }

std::vector<Telling> Announcer::flush(const std::vector<std::string>& names, int focus, bool leaving)
{
    // A first look, or parts added since: nothing yet to compare with.
    if (told_.size() != names.size())
        told_ = names;
    std::vector<bool> renamed(names.size());
    std::vector<bool> fresh(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        fresh[i] = renamed[i] = names[i] != told_[i];
    told_ = names;
    const std::vector<Tiding> tidings = std::exchange(tidings_, {});
    for (const Tiding& tiding : tidings) {
        if (tiding.kind == Tiding::Kind::Renewed)
            fresh.at(static_cast<std::size_t>(tiding.part)) = true;
    }

    const auto on = [focus](Tiding::Kind kind) {
        return [focus, kind](const Tiding& t) { return t.part == focus && t.kind == kind; };
    };
    // Where the focused part is told: where the player acted on it, else
    // where it last became new or the keyboard last came to it, else after
    // the news.
    auto place = std::find_if(tidings.begin(), tidings.end(), on(Tiding::Kind::ActedOn));
    if (place == tidings.end()) {
        const auto last = std::find_if(tidings.rbegin(), tidings.rend(), [focus](const Tiding& t) {
            return t.part == focus && (t.kind == Tiding::Kind::Renewed || t.kind == Tiding::Kind::FocusMoved);
        });
        place = last == tidings.rend() ? tidings.end() : std::prev(last.base());
    }
    const bool moved = std::any_of(tidings.begin(), tidings.end(), on(Tiding::Kind::FocusMoved));
    const auto index = static_cast<std::size_t>(focus);
    bool focusWaits = focus != kNoPart && (place != tidings.end() || fresh.at(index));

    std::vector<Telling> told;
    const auto tellFocus = [&] {
        focusWaits = false;
        if (leaving) {
            told.push_back({Telling::Kind::News, kNoPart, names[index]});
            return;
        }
        told.push_back({Telling::Kind::Focus, focus, {}, moved, fresh[index], renamed[index]});
        fresh[index] = false;
    };
    for (auto tiding = tidings.begin(); tiding != tidings.end(); ++tiding) {
        if (focusWaits && tiding == place)
            tellFocus();
        if (tiding->kind == Tiding::Kind::News)
            told.push_back({Telling::Kind::News, kNoPart, tiding->news});
    }
    if (focusWaits)
        tellFocus();
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        if (fresh[i])
            told.push_back({Telling::Kind::Changed, static_cast<int>(i), {}, false, true, renamed[i]});
    }
    return told;
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
