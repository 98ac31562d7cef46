// What a screen reader is told once an event has been handled, and in which
// order. The news goes out in the order it came, the focused part in its
// place among it: where the player acted on it (a card turned, before what
// the turn came to), else where it last became new or the keyboard came to
// it (after "Nieuw spel"). Every other part that shows something new comes
// last, as the news is not about it. Away from the keyboard only the news
// goes out; the rest waits for the keyboard to come back. Then which events
// each screen-reader bridge raises for it, and how a dialog's texts are best
// read out. Plain C++: the toolkit side only carries the events out.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace koppelo::runtime {

inline constexpr int kNoPart = -1;

// One thing to tell, in its place in the order.
struct Telling {
    enum class Kind {
        Focus,    // the focused part afresh: the keyboard came to it, or it shows something new
        News,     // a short notice
        Changed,  // a part away from the focus that shows something new
    };
    Kind kind;
    int part = kNoPart;     // Focus and Changed
    std::string news = {};  // News
    bool moved = false;     // Focus: the keyboard came to the part rather than staying on it
    bool changed = false;   // Focus: the part shows something new (a Changed part always does)
    bool renamed = false;   // Focus and Changed: its name is not the one told last
    bool renewed = false;   // Focus and Changed: it was said to show something new (a new card)

    friend bool operator==(const Telling&, const Telling&) = default;
};

class Announcer {
public:
    // The keyboard focus came to part, or came back to it.
    void focusMoved(int part);
    // The player acted on part: told in this place if it has the focus.
    void actedOn(int part);
    // Part shows something new even if its name stays the same (a new card).
    void renewed(int part);
    void news(std::string text);

    // What to tell now, in order; what has to wait for the keyboard is kept,
    // the rest forgotten. names holds every part's name now; focus is the
    // part with the keyboard focus, or kNoPart while the focus is elsewhere.
    std::vector<Telling> flush(const std::vector<std::string>& names, int focus);

private:
    struct Tiding {
        enum class Kind { News, ActedOn, Renewed, FocusMoved };
        Kind kind;
        int part = kNoPart;
        std::string news = {};
    };

    std::vector<Tiding>::const_iterator focusPlace(int focus) const;
    std::vector<Telling> newsAlone();

    std::vector<Tiding> tidings_;
    std::vector<std::string> told_;  // each part's name as last told
};

// How each screen-reader bridge is told what the announcer lays out: the
// events the toolkit side raises, in order. The bridges differ in what they
// carry: AT-SPI from Qt 6.8 hands a screen reader a name change with the new
// name; AT-SPI before it sends one without the name, and UI Automation none
// but a combo box's, so there a part that shows something new is made anew
// and the focused one focused afresh. Under UI Automation the toolkit itself
// focuses the card whenever the board takes the keyboard back. The news
// goes out through each bridge's own carrier; the Qt side only carries the
// events out.
enum class Bridge {
    AtSpiQt64,  // AT-SPI before Qt 6.8
    AtSpiQt68,  // AT-SPI from Qt 6.8
    UiaQt64,    // UI Automation before Qt 6.8
    UiaQt68,    // UI Automation from Qt 6.8
};

// One event for the toolkit side to raise.
struct Signal {
    enum class Kind {
        Renewed,  // the part's object made anew, so a screen reader asks afresh for all of it
        Focused,  // the part takes the focus
        Renamed,  // the part's name changed
        News,     // text goes out through the bridge's news carrier
    };
    Kind kind;
    int part = kNoPart;     // all but News
    std::string text = {};  // News

    friend bool operator==(const Signal&, const Signal&) = default;
};

// What to raise for told on bridge; statusPart is the part whose children
// carry the news where news shows as objects, names every part's name now.
std::vector<Signal> signalsFor(Bridge bridge, const std::vector<Telling>& told, int statusPart,
                               const std::vector<std::string>& names);

// A screen reader reads out a dialog's texts as it opens only from three
// words up: a shorter text is read together with the texts after it until
// they have three words. The runs of texts (indices, in order) to read as one.
std::vector<std::vector<std::size_t>> readTogether(const std::vector<std::string>& texts);
// What joins the texts of one run.
inline constexpr char kReadTogetherJoint[] = ", ";

}  // namespace koppelo::runtime
