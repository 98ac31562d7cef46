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
    accessibility_.emplace(*surface_, game_.board(), press);
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
    const runtime::Label& pairs = game_.board().pairsLabel();
    surface_->addItem(SurfaceLabel{layout::kLabel1, &pairs, layout::kPanelFont, TextAlign::Centre});
}

// Sibling widgets stack in the order they are created: the last lies on top.
// A box lying under another is made only once that one first hides, as
// nobody sees it before: the layout box when its slot's pair is found, the
// sources under the top one never in play.
void FrmKoppelo::buildPictureBoxes()
{
    const game::Board& board = game_.board();
    for (int i = 0; i < game::kSlots; ++i) {
        Picture3_[i] = addBox(board.slotBox(i), layout::slotRect(i), BoxBorder::Sunken, indexed("Picture3", i));
        keyboard_->slotBoxMade(i, *Picture3_[i]);
        Picture3_[i]->coverUnmade([this, i] { layoutBox(i); });
    }
    const int top = layout::kPicture2TopFirst.front();
    topSource_ = addBox(board.faceSource(top), layout::kPicture2, BoxBorder::Sunken, indexed("Picture2", top));
    topSource_->coverUnmade([this] { makeSourcesUnderTop(); });
    addBox(board.firstPreview(), layout::kPicture4, BoxBorder::Sunken, QStringLiteral("Picture4"));
    addBox(board.secondPreview(), layout::kPicture5, BoxBorder::Sunken, QStringLiteral("Picture5"));
    addBox(board.emptyBox(), layout::kPicture6, BoxBorder::None, QStringLiteral("Picture6"));
}

PictureBoxView& FrmKoppelo::layoutBox(int slot)
{
    PictureBoxView*& view = Picture1_[slot];
    if (view == nullptr) {
        view = addBox(game_.board().layoutBox(slot), layout::slotRect(slot), BoxBorder::Sunken,
                      indexed("Picture1", slot));
        view->lieUnder(*Picture3_[slot]);
        keyboard_->layoutBoxMade(slot, *view);
    }
    return *view;
}

// Bottom first, each stacked right under the top one: they lie in the
// layout's order beneath it.
void FrmKoppelo::makeSourcesUnderTop()
{
    if (sourcesMade_)
        return;
    sourcesMade_ = true;
    for (auto k = layout::kPicture2TopFirst.rbegin(); k + 1 != layout::kPicture2TopFirst.rend(); ++k) {
        PictureBoxView* source =
            addBox(game_.board().faceSource(*k), layout::kPicture2, BoxBorder::Sunken, indexed("Picture2", *k));
        source->lieUnder(*topSource_);
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

PictureBoxView* FrmKoppelo::addBox(const runtime::PictureBox& model, const runtime::TwipsRect& rect, BoxBorder border,
                                   const QString& name)
{
    auto* view = new PictureBoxView(model, border, surface_);
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
    mnuSpelNieuw_ = mnuSpel->addAction(QString::fromUtf8(words.menuNewGame));
    mnuSpelNieuw_->setObjectName(QStringLiteral("mnuSpelNieuw"));
    mnuSpelNieuw_->setShortcut(QKeySequence(layout::kMnuSpelNieuwKey));
    connect(mnuSpelNieuw_, &QAction::triggered, this, [this] { mnuSpelNieuw_Click(); });

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

void FrmKoppelo::Form_Load() { present(game_.Form_Load()); }

void FrmKoppelo::Picture3_Click(std::int16_t Index) { present(game_.Picture3_Click(Index)); }

void FrmKoppelo::mnuSpelNieuw_Click() { present(game_.mnuSpelNieuw_Click()); }

// Once the rules have handled an event: the window shows the board as it is
// now, the screen reader hears what the event came to, and a game won is
// asked about.
void FrmKoppelo::present(const game::Outcomes& outcomes)
{
    for (PictureBoxView* view : surface_->findChildren<PictureBoxView*>(QString(), Qt::FindDirectChildrenOnly))
        view->refresh();
    surface_->refresh();
    accessibility_->heard(outcomes);
    if (!outcomes.empty() && outcomes.back().what == game::Happening::GameWon)
        askWinQuestion();
}

void FrmKoppelo::askWinQuestion()
{
    // The player sees the finished board behind the question, whose own
    // event loop would paint the last pair's hiding only after it shows.
    repaint();
    const texts::MainWindowTexts& words = texts::chosen().main;
    const std::int32_t answer = question_.show(words.winPrompt, words.winTitle, kWinStyle);
    // Without a window manager nobody hands the keyboard back when the
    // question closes; it would fall to the root window, and F2 go unheard.
    activateWindow();
    present(game_.winQuestionAnswered(answer));
}

void FrmKoppelo::mnuHelpOver_Click()
{
    if (!frmOver_)
        frmOver_.emplace();
    frmOver_->Show(this);
}

}  // namespace koppelo::ui
