// The main window frmKoppelo: builds its controls from the layout table,
// shows the game's boxes and counter, and hands the window's four events
// (load, a slot click, "Nieuw spel" or F2, "Over...") to the rules and the
// About dialog. After each, it presents the difference between what the
// player saw before and what the rules hand out after: the boxes and the
// counter that changed are drawn anew, the screen reader is told, and a
// question come due is asked. No game rule lives here.
#pragma once

#include <QIcon>
#include <QMainWindow>

#include <array>
#include <cstdint>
#include <optional>

#include "game/frm_koppelo_rules.h"
#include "game/snapshot.h"
#include "runtime/label.h"
#include "runtime/message_box.h"
#include "runtime/qt/form_surface.h"
#include "runtime/qt/picture_box_view.h"
#include "runtime/qt/qt_message_box.h"
#include "runtime/picture.h"
#include "runtime/random.h"
#include "ui/about/frm_over.h"
#include "ui/main/board_accessibility.h"
#include "ui/main/grid_keyboard.h"

class QAction;

namespace koppelo::ui {

class FrmKoppelo : public QMainWindow {
    Q_OBJECT

public:
    // The faces become the source boxes' pictures and the first game is
    // dealt before the constructor returns. Without a question the window
    // asks the end-of-game question in a real message box of its own.
    FrmKoppelo(const game::FrmKoppelo::Faces& faces, const QIcon& icon, runtime::Random& random,
               runtime::MessageBox* question = nullptr, QWidget* parent = nullptr);

    // The game the window shows.
    const game::FrmKoppelo& game() const { return game_; }

    // The client area, below the menu bar: the surface with every control on it.
    runtime::qt::FormSurface& surface() const { return *surface_; }

    QAction& aboutAction() const { return *mnuHelpOver_; }

    // A picture box by its control name, "Picture1(7)" or "Picture4"; one
    // lying under another is made now if it was not yet. Throws
    // std::invalid_argument for a name the window has no box of.
    runtime::qt::PictureBoxView& box(const QString& name);

private:
    void buildSurface();
    void buildPictureBoxes();
    runtime::qt::PictureBoxView& layoutBox(int slot);
    void makeSourcesUnderTop();
    void buildMenus();
    runtime::qt::PictureBoxView* addBox(int face, const runtime::TwipsRect& rect, runtime::qt::BoxBorder border,
                                        const QString& name);
    void centreOnScreen();

    void Form_Load();
    void Picture3_Click(std::int16_t Index);
    void mnuSpelNieuw_Click();
    void mnuHelpOver_Click();
    void present(const game::Snapshot& before, const game::Handled& handled);
    void showCard(int slot, const game::CardSeen& card);
    runtime::PictureRef face(int face) const;
    void askWinQuestion();

    runtime::qt::QtMessageBox messageBox_;
    runtime::MessageBox& question_;
    const game::FrmKoppelo::Faces faces_;
    game::FrmKoppelo game_;
    runtime::Label lblTitel_;
    runtime::Label lblParen_;
    runtime::Label Label1_{game::Snapshot{}.pairs};
    std::optional<FrmOver> frmOver_;
    std::optional<GridKeyboard> keyboard_;
    std::optional<BoardAccessibility> accessibility_;

    runtime::qt::FormSurface* surface_ = nullptr;
    std::array<runtime::qt::PictureBoxView*, game::kSlots> Picture1_{};  // null until made
    std::array<runtime::qt::PictureBoxView*, game::kSlots> Picture3_{};
    runtime::qt::PictureBoxView* Picture4_ = nullptr;
    runtime::qt::PictureBoxView* Picture5_ = nullptr;
    runtime::qt::PictureBoxView* topSource_ = nullptr;
    bool sourcesMade_ = false;
    QAction* mnuHelpOver_ = nullptr;
};

}  // namespace koppelo::ui
