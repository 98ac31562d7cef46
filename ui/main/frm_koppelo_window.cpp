#include "frm_koppelo_window.h"

#include <QAction>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>
#include <string_view>

#include "texts/catalogue.h"
#include "ui/main/frm_koppelo_layout.h"

namespace koppelo::ui {

namespace {

using runtime::qt::BoxBorder;
using runtime::qt::PictureBoxView;

constexpr std::int32_t kWinStyle = runtime::kYesNo | runtime::kInformation;

// "Picture1(7)": a control array's element, as the layout table names it.
QString indexed(std::string_view name, int index)
{
    std::array<char, 32> text{};
    char* at = std::copy(name.begin(), name.end(), text.begin());
    *at++ = '(';
    at = std::to_chars(at, text.end() - 1, index).ptr;
    *at++ = ')';
    return QLatin1String(text.data(), at);
}

}  // namespace

FrmKoppelo::FrmKoppelo(const game::FrmKoppelo::Faces& faces, const QIcon& icon, runtime::Random& random,
                       runtime::MessageBox* question, QWidget* parent)
    : QMainWindow(parent),
      messageBox_(this),
      question_(question ? *question : messageBox_),
      faces_(faces),
      game_(faces, random),
      lblTitel_(texts::chosen().main.title),
      lblParen_(texts::chosen().main.pairsCaption)
{
    setObjectName(QLatin1String(layout::kObjectName));
    setWindowTitle(QString::fromUtf8(texts::chosen().main.caption));
    setWindowIcon(icon);
    // A thin fixed frame with a close box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    // A click, Space, Enter or a screen reader's press on a card.
    const auto press = [this](std::int16_t Index) { Picture3_Click(Index); };
    buildSurface();
    keyboard_.emplace(*surface_, press);
    buildPictureBoxes();
    buildMenus();
    accessibility_.emplace(*surface_, press);
    connect(&*keyboard_, &GridKeyboard::moved, this, [this](int slot) { accessibility_->focusSlot(slot); });
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setFixedSize(sizeHint());
    centreOnScreen();

    Form_Load();
}

void FrmKoppelo::buildSurface()
{
    using runtime::qt::SurfaceLabel;
    using runtime::qt::SurfaceShape;
    using runtime::qt::TextAlign;

    surface_ = new runtime::qt::FormSurface(this);
    surface_->setObjectName(QStringLiteral("surface"));
    setCentralWidget(surface_);
    surface_->setFixedSize(surface_->pixels(layout::kClientWidth), surface_->pixels(layout::kClientHeight));

    // Painted in this order: the title and the line lie over the band.
    surface_->addItem(SurfaceShape{layout::kShpTitel, QColor(layout::kShpTitelFill)});
    surface_->addItem(SurfaceLabel{layout::kLblTitel, &lblTitel_, layout::kLblTitelFont, TextAlign::Left, true,
                                   QColor(layout::kLblTitelColour)});
    surface_->addItem(layout::kLijn1);
    surface_->addItem(SurfaceLabel{layout::kLblParen, &lblParen_, layout::kPanelFont, TextAlign::Centre});
    surface_->addItem(SurfaceLabel{layout::kLabel1, &Label1_, layout::kPanelFont, TextAlign::Centre});
}

// Sibling widgets stack in the order they are created: the last lies on top.
// The boxes start as a game not yet dealt shows them. A box lying under
// another is made only once it can be seen: the layout box when its slot's
// pair is found; the sources under the top one, which never hides, only
// when asked for by name.
void FrmKoppelo::buildPictureBoxes()
{
    for (int i = 0; i < game::kSlots; ++i) {
        Picture3_[i] = addBox(game::kNoFace, layout::slotRect(i), BoxBorder::Sunken, indexed("Picture3", i));
        keyboard_->slotBoxMade(i, *Picture3_[i]);
    }
    const int top = layout::kPicture2TopFirst.front();
    topSource_ = addBox(top, layout::kPicture2, BoxBorder::Sunken, indexed("Picture2", top));
    Picture4_ = addBox(game::kNoFace, layout::kPicture4, BoxBorder::Sunken, QStringLiteral("Picture4"));
    Picture5_ = addBox(game::kNoFace, layout::kPicture5, BoxBorder::Sunken, QStringLiteral("Picture5"));
    addBox(game::kNoFace, layout::kPicture6, BoxBorder::None, QStringLiteral("Picture6"));
}

// Made hidden beneath its slot box; showCard shows it once the pair is found.
PictureBoxView& FrmKoppelo::layoutBox(int slot)
{
    PictureBoxView*& view = Picture1_[slot];
    if (view == nullptr) {
        view = addBox(game::kNoFace, layout::slotRect(slot), BoxBorder::Sunken, indexed("Picture1", slot));
        view->hide();
        view->stackUnder(Picture3_[slot]);
        keyboard_->layoutBoxMade(slot, *view);
    }
    return *view;
}

// Bottom first, each stacked right under the top one: they lie in the
// layout's order beneath it, hidden by it.
void FrmKoppelo::makeSourcesUnderTop()
{
    if (sourcesMade_)
        return;
    sourcesMade_ = true;
    for (auto k = layout::kPicture2TopFirst.rbegin(); k + 1 != layout::kPicture2TopFirst.rend(); ++k) {
        PictureBoxView* source = addBox(*k, layout::kPicture2, BoxBorder::Sunken, indexed("Picture2", *k));
        source->hide();
        source->stackUnder(topSource_);
    }
}

PictureBoxView& FrmKoppelo::box(const QString& name)
{
    for (int i = 0; i < game::kSlots; ++i) {
        if (name == indexed("Picture1", i))
            return layoutBox(i);
    }
    if (name.startsWith(QLatin1String("Picture2(")))
        makeSourcesUnderTop();
    auto* found = surface_->findChild<PictureBoxView*>(name, Qt::FindDirectChildrenOnly);
    if (found == nullptr)
        throw std::invalid_argument("no picture box " + name.toStdString());
    return *found;
}

PictureBoxView* FrmKoppelo::addBox(int face, const runtime::TwipsRect& rect, BoxBorder border, const QString& name)
{
    auto* view = new PictureBoxView(this->face(face), border, surface_);
    view->setObjectName(name);
    view->setGeometry(surface_->pixels(rect));
    keyboard_->boxMade(*view);
    return view;
}

void FrmKoppelo::buildMenus()
{
    const texts::MainWindowTexts& words = texts::chosen().main;
    QMenu* mnuSpel = menuBar()->addMenu(QString::fromUtf8(words.menuGame));
    mnuSpel->setObjectName(QStringLiteral("mnuSpel"));
    QAction* mnuSpelNieuw = mnuSpel->addAction(QString::fromUtf8(words.menuNewGame));
    mnuSpelNieuw->setObjectName(QStringLiteral("mnuSpelNieuw"));
    mnuSpelNieuw->setShortcut(QKeySequence(layout::kMnuSpelNieuwKey));
    connect(mnuSpelNieuw, &QAction::triggered, this, [this] { mnuSpelNieuw_Click(); });

    QMenu* mnuHelp = menuBar()->addMenu(QString::fromUtf8(words.menuHelp));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpOver_ = mnuHelp->addAction(QString::fromUtf8(words.menuAbout));
    mnuHelpOver_->setObjectName(QStringLiteral("mnuHelpOver"));
    connect(mnuHelpOver_, &QAction::triggered, this, [this] { mnuHelpOver_Click(); });
}

// Where the window is larger than the screen (a large scale factor, a small
// screen), centring would push its title bar and menus off the top; there
// its top-left corner stays inside the available area instead.
void FrmKoppelo::centreOnScreen()
{
    const QScreen* where = screen();
    if (where == nullptr)
        return;
    const QRect room = where->availableGeometry();
    const QRect centred = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), room);
    if (room.contains(centred)) {
        setGeometry(centred);
        return;
    }
    // Before the first show, a move places the frame's corner, title bar included.
    move(std::max(centred.left(), room.left()), std::max(centred.top(), room.top()));
}

// The boxes were made as a game not yet dealt shows.
void FrmKoppelo::Form_Load() { present(game::Snapshot{}, game_.Form_Load()); }

void FrmKoppelo::Picture3_Click(std::int16_t Index)
{
    const game::Snapshot before = game_.snapshot();
    present(before, game_.Picture3_Click(Index));
}

void FrmKoppelo::mnuSpelNieuw_Click()
{
    const game::Snapshot before = game_.snapshot();
    present(before, game_.mnuSpelNieuw_Click());
}

// Once the rules have handled an event: the screen reader hears what the
// event came to, what differs from before is drawn anew, and a question come
// due is asked. The news goes first, so that a screen reader takes it before
// the events of the boxes shown and hidden.
void FrmKoppelo::present(const game::Snapshot& before, const game::Handled& handled)
{
    const game::Snapshot& after = handled.snapshot;
    accessibility_->present(after, handled.outcomes);
    for (int i = 0; i < game::kSlots; ++i) {
        if (before.cards[i] != after.cards[i])
            showCard(i, after.cards[i]);
    }
    if (before.firstPreview != after.firstPreview)
        Picture4_->setPicture(face(after.firstPreview));
    if (before.secondPreview != after.secondPreview)
        Picture5_->setPicture(face(after.secondPreview));
    if (before.pairs != after.pairs) {
        Label1_.setCaption(after.pairs);
        surface_->update();
    }
    if (after.questionDue && !before.questionDue)
        askWinQuestion();
}

// A found card shows its layout box, as its slot box hides; otherwise the
// slot box shows the face up, or nothing.
void FrmKoppelo::showCard(int slot, const game::CardSeen& card)
{
    PictureBoxView& shown = *Picture3_[slot];
    if (card.state == game::CardState::Found) {
        PictureBoxView& beneath = layoutBox(slot);
        beneath.setPicture(face(card.face));
        beneath.show();
        shown.hide();
        return;
    }
    shown.setPicture(card.state == game::CardState::FaceUp ? face(card.face) : nullptr);
    shown.show();
    if (Picture1_[slot] != nullptr)
        Picture1_[slot]->hide();
}

runtime::PictureRef FrmKoppelo::face(int face) const
{
    return face == game::kNoFace ? nullptr : faces_.at(static_cast<std::size_t>(face));
}

void FrmKoppelo::askWinQuestion()
{
    // The player sees the finished board behind the question, whose own
    // event loop would paint the last pair's hiding only after it shows.
    repaint();
    surface_->accessibleParts().letNewsAheadOfModal();
    const texts::MainWindowTexts& words = texts::chosen().main;
    const std::int32_t answer = question_.show(words.winPrompt, words.winTitle, kWinStyle);
    // Without a window manager nobody hands the keyboard back when the
    // question closes; it would fall to the root window, and F2 go unheard.
    activateWindow();
    const game::Snapshot before = game_.snapshot();
    present(before, game_.winQuestionAnswered(answer));
}

void FrmKoppelo::mnuHelpOver_Click()
{
    if (!frmOver_)
        frmOver_.emplace();
    frmOver_->Show(this);
}

}  // namespace koppelo::ui
