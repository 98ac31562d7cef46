// The fixed layout of the main window: every control's place and size in
// twips, its colours and fonts, and the stacking of the face sources. The
// window is built from this table and its words (texts/catalogue.h) alone.
#pragma once

#include <QColor>
#include <Qt>

#include <array>

#include "game/board.h"
#include "runtime/qt/form_surface.h"
#include "runtime/twips.h"

namespace koppelo::ui::layout {

using runtime::TwipsRect;
using runtime::qt::FontStyle;

inline constexpr char kObjectName[] = "frmKoppelo";
inline constexpr int kClientWidth = 9840;
inline constexpr int kClientHeight = 8745;

// The 6 x 6 grid: Picture1(i) and Picture3(i) share slot i's square.
inline constexpr int kGridLeft = 120;
inline constexpr int kGridTop = 840;
inline constexpr int kGridPitch = 1320;
inline constexpr int kSlotSize = 1200;

constexpr TwipsRect slotRect(int slot)
{
    return {kGridLeft + kGridPitch * (slot % game::kColumns), kGridTop + kGridPitch * (slot / game::kColumns),
            kSlotSize, kSlotSize};
}

// The side panel, one column.
inline constexpr int kPanelLeft = 8280;
inline constexpr int kPanelBoxSize = 1400;
inline constexpr int kPanelLabelWidth = 1335;
inline constexpr int kPanelLabelHeight = 375;

inline constexpr TwipsRect kPicture2{kPanelLeft, 840, kPanelBoxSize, kPanelBoxSize};
inline constexpr TwipsRect kLblParen{kPanelLeft, 2400, kPanelLabelWidth, kPanelLabelHeight};
inline constexpr TwipsRect kLabel1{kPanelLeft, 2880, kPanelLabelWidth, kPanelLabelHeight};
inline constexpr TwipsRect kPicture4{kPanelLeft, 3480, kPanelBoxSize, kPanelBoxSize};
inline constexpr TwipsRect kPicture5{kPanelLeft, 5040, kPanelBoxSize, kPanelBoxSize};
inline constexpr TwipsRect kPicture6{kPanelLeft, 6600, kPanelBoxSize, kPanelBoxSize};

// The source boxes all lie on one spot; this is their order, topmost first.
inline constexpr std::array<int, game::kFaces> kPicture2TopFirst{6, 15, 12, 8, 10, 9, 17, 0, 3,
                                                                 13, 11, 5, 4, 2, 1, 7, 16, 14};

// The title band, its caption and the separator.
inline constexpr TwipsRect kShpTitel{0, 0, kClientWidth, 735};
inline constexpr QRgb kShpTitelFill = qRgb(86, 145, 233);
inline constexpr TwipsRect kLblTitel{120, 120, 2895, 495};
inline constexpr QRgb kLblTitelColour = qRgb(255, 255, 255);
inline constexpr FontStyle kLblTitelFont{"Arial", 20.25, true};

inline constexpr runtime::qt::SurfaceLine kLijn1{8080, 720, 8080, 8760};

inline constexpr FontStyle kPanelFont{"Arial", 14.25, false};

// Menus.
inline constexpr QKeyCombination kMnuSpelNieuwKey{Qt::Key_F2};

}  // namespace koppelo::ui::layout
