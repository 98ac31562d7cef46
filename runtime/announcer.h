// The whole screen-reader policy, Qt-free. While an event is handled the
// window gives the announcer cues (the keyboard came to a part, the player
// acted on one, one shows something new, news); once it is presented the
// announcer lays out the tellings, in order: the news in the order it came,
// the focused part in its place among it (where the player acted on it, else
// where it last became new or the keyboard came to it), every other part
// that shows something new last. Away from the keyboard, or with a modal
// window opening next, only the news goes out and the rest is held back
// until the keyboard returns. Then the events each bridge raises for the
// tellings, and how a dialog's texts are best read out. The toolkit side
// only raises the events.
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
        News,     // a short text told in its place
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

// What comes after the event: the keyboard stays, or a modal window opens
// and takes it.
enum class Next { KeyboardStays, ModalWindow };

// A screen reader may take a new window's events before news it has not yet
// spoken (Orca 48 ranks them higher), so a modal window that follows news
// opens this much later, long enough for the news to be spoken first.
inline constexpr int kNewsBeforeModalMs = 250;

class Announcer {
public:
    // The keyboard focus came to part, or came back to it.
    void focusMoved(int part);
    // The player acted on part: told in this place if it has the focus.
    void actedOn(int part);
    // Part shows something new even if its name stays the same (a new card).
    void renewed(int part);
    void news(std::string text);

    // What to tell now, in order; what is held back for the keyboard is
    // kept, the rest forgotten. names holds every part's name now; focus is
    // the part with the keyboard focus, or kNoPart while the keyboard is
    // elsewhere (a modal window over the part's window counts as elsewhere).
    // A screen reader drops a focus told just before a modal window opens:
    // then the part acted on under the focus is told as news, by its name.
    std::vector<Telling> flush(const std::vector<std::string>& names, int focus,
                               Next next = Next::KeyboardStays);

private:
    struct Cue {
        enum class Kind { News, ActedOn, Renewed, FocusMoved };
        Kind kind;
        int part = kNoPart;
        std::string news = {};
    };

    std::vector<Cue>::const_iterator focusPlace(int focus) const;
    std::vector<Telling> newsAlone();

    std::vector<Cue> cues_;
    std::vector<std::string> told_;  // each part's name as last told
};

// How each screen-reader bridge is told what the announcer lays out: the
// events the toolkit side raises, in order. The bridges differ in what they
// carry: AT-SPI from Qt 6.8 hands a screen reader a name change with the new
// name; AT-SPI before it sends one without the name, and UI Automation none
// but a combo box's, so there a part that shows something new is made anew
// and the focused one focused afresh. Under UI Automation the toolkit itself
// focuses the card whenever the board takes the keyboard back. A web page's
// accessibility tree follows every name it is given, but a screen reader
// there does not speak the focused part's new name, so ARIA renames a part
// and tells the focused one's new name as news, in a polite live region.
// The news goes out through each bridge's own carrier.
enum class Bridge {
    AtSpiQt64,  // AT-SPI before Qt 6.8
    AtSpiQt68,  // AT-SPI from Qt 6.8
    UiaQt64,    // UI Automation before Qt 6.8
    UiaQt68,    // UI Automation from Qt 6.8
    Aria,       // a web page's roles, names and live region
};

// One event for the toolkit side to raise.
struct BridgeEvent {
    enum class Kind {
        Renewed,  // the part's object made anew, so a screen reader asks afresh for all of it
        Focused,  // the part takes the focus
        Renamed,  // the part's name changed
        News,     // text goes out through the bridge's news carrier
    };
    Kind kind;
    int part = kNoPart;     // all but News
    std::string text = {};  // News

    friend bool operator==(const BridgeEvent&, const BridgeEvent&) = default;
};

// What to raise for told on bridge; statusPart is the part whose children
// carry the news where news shows as objects, names every part's name now.
std::vector<BridgeEvent> eventsFor(Bridge bridge, const std::vector<Telling>& told, int statusPart,
                                   const std::vector<std::string>& names);

// A screen reader reads out a dialog's texts as it opens only from three
// words up: a shorter text is read together with the texts after it until
// they have three words. The runs of texts (indices, in order) to read as one.
std::vector<std::vector<std::size_t>> readTogether(const std::vector<std::string>& texts);
// What joins the texts of one run.
inline constexpr char kReadTogetherJoint[] = ", ";

}  // namespace koppelo::runtime
