#include "board_accessibility.h"

#include "assets/face_names.h"
#include "runtime/qt/picture_box_view.h"
#include "ui/main/frm_koppelo_layout.h"

namespace koppelo::ui {

namespace {

using runtime::qt::PictureBoxView;

constexpr char kCard[] = "Kaart %1, rij %2, kolom %3: %4";
constexpr char kFaceDown[] = "dicht";
constexpr char kFaceUp[] = "open, %1";
constexpr char kFound[] = "gevonden, %1";
constexpr char kFirstPreview[] = "Eerste kaart";
constexpr char kSecondPreview[] = "Tweede kaart";
constexpr char kPreview[] = "%1: %2";
constexpr char kEmptyPreview[] = "leeg";
constexpr char kPairFound[] = "paar gevonden, %1";
constexpr char kNoPair[] = "geen paar";
constexpr char kNewGame[] = "Nieuw spel";
constexpr char kNoneFound[] = "0";  // the counter once a new game has cleared it

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// Counted from one, as a player counts.
int counted(int fromZero) { return fromZero + 1; }

}  // namespace

BoardAccessibility::BoardAccessibility(runtime::qt::FormSurface& surface, const game::Board& board,
                                       const BoardViews& views, Press press)
    : surface_(surface), parts_(surface.accessibleParts()), board_(board)
{
    describe(std::move(press));
    tellChanges(views);
    focusSlot(game::kFirstSlot);
}

void BoardAccessibility::describe(Press press)
{
    parts_.add({QAccessible::StaticText, [] { return text(layout::kLblTitelCaption); },
                [this] { return place(layout::kLblTitel); }});
    firstCard_ = parts_.count();
    for (int i = 0; i < game::kSlots; ++i) {
        const auto slot = static_cast<std::int16_t>(i);
        parts_.add({QAccessible::Button, [this, i] { return cardName(i); },
                    [this, i] { return place(layout::slotRect(i)); }, [press, slot] { press(slot); }});
    }
    const runtime::PictureBox& onShow = board_.Picture2[layout::kPicture2TopFirst.front()];
    parts_.add({QAccessible::Graphic, [this, &onShow] { return birdIn(onShow); },
                [this] { return place(layout::kPicture2); }});
    counter_ = parts_.add({QAccessible::StatusBar,
                           [this] {
                               return text(layout::kLblParenCaption) + QLatin1Char(' ') +
                                      QString::fromStdString(board_.Label1.caption());
                           },
                           [this] { return place(layout::kLblParen) | place(layout::kLabel1); }});
    parts_.setStatusPart(counter_);
    firstPreview_ = parts_.add({QAccessible::Graphic, [this] { return previewName(kFirstPreview, board_.Picture4); },
                                [this] { return place(layout::kPicture4); }});
    secondPreview_ = parts_.add({QAccessible::Graphic, [this] { return previewName(kSecondPreview, board_.Picture5); },
                                 [this] { return place(layout::kPicture5); }});
}

// A turn changes the cards it turns, a match the counter, and either the
// previews. Only a miss empties the second preview, and only a new game the
// layout boxes, beginning with the first slot's.
void BoardAccessibility::tellChanges(const BoardViews& views)
{
    for (int i = 0; i < game::kSlots; ++i)
        connect(views.Picture3[i], &PictureBoxView::changed, this, [this, i] { parts_.changed(firstCard_ + i); });
    connect(views.Picture4, &PictureBoxView::changed, this, [this] { parts_.changed(firstPreview_); });
    connect(views.Picture5, &PictureBoxView::changed, this, [this] {
        parts_.changed(secondPreview_);
        if (board_.Picture5.handle() == runtime::kEmptyHandle)
            pairMissed();
    });
    connect(&surface_, &runtime::qt::FormSurface::captionChanged, this, [this] {
        parts_.changed(counter_);
        if (board_.Label1.caption() != kNoneFound)
            pairFound();
    });
    connect(views.Picture1[game::kFirstSlot], &PictureBoxView::changed, this, [this] {
        if (board_.Picture1[game::kFirstSlot].handle() == runtime::kEmptyHandle)
            newGame();
    });
}

// A new deal is new cards: each is told afresh, the focused one after the news.
void BoardAccessibility::newGame()
{
    parts_.announce(text(kNewGame));
    for (int i = 0; i < game::kSlots; ++i)
        parts_.changed(firstCard_ + i);
}

void BoardAccessibility::pairFound() { parts_.announce(text(kPairFound).arg(parts_.part(counter_).name())); }

void BoardAccessibility::pairMissed() { parts_.announce(text(kNoPair)); }

void BoardAccessibility::tellBeforeQuestion() { parts_.tellBeforeLeaving(); }

void BoardAccessibility::focusSlot(int slot) { parts_.setFocusPart(firstCard_ + slot); }

QString BoardAccessibility::cardName(int slot) const
{
    const runtime::PictureBox& card = board_.Picture3[slot];
    QString state = text(kFaceDown);
    if (!card.visible())
        state = text(kFound).arg(birdIn(board_.Picture1[slot]));
    else if (card.handle() != runtime::kEmptyHandle)
        state = text(kFaceUp).arg(birdIn(card));
    return text(kCard)
        .arg(counted(slot))
        .arg(counted(slot / game::kColumns))
        .arg(counted(slot % game::kColumns))
        .arg(state);
}

QString BoardAccessibility::previewName(const char* which, const runtime::PictureBox& preview) const
{
    const QString bird = birdIn(preview);
    return text(kPreview).arg(text(which), bird.isEmpty() ? text(kEmptyPreview) : bird);
}

// Source box k holds face k for the whole run, so its picture names the bird.
QString BoardAccessibility::birdIn(const runtime::PictureBox& box) const
{
    if (box.handle() == runtime::kEmptyHandle)
        return {};
    for (std::size_t k = 0; k < assets::kFaceCount; ++k) {
        if (board_.Picture2[k].handle() == box.handle())
            return QString::fromUtf8(assets::kFaceNames[k].data(), static_cast<qsizetype>(assets::kFaceNames[k].size()));
    }
    return {};
}

QRect BoardAccessibility::place(const runtime::TwipsRect& rect) const { return surface_.pixels(rect); }

}  // namespace koppelo::ui
