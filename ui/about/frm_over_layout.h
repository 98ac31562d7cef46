// The About dialog's design: the window's properties and every control's
// place, size, colours, font and caption (its words in texts/catalogue.h),
// in twips within the client area. The controls are listed topmost first, as
// the form designer stacks them.
#pragma once

#include <QRgb>

#include <algorithm>
#include <array>

#include "runtime/qt/form_surface.h"
#include "runtime/twips.h"
#include "texts/catalogue.h"

namespace koppelo::ui::over {

using runtime::TwipsRect;
using runtime::qt::FontStyle;

inline constexpr char kFormName[] = "frmOver";
inline constexpr int kClientWidth = 7995;
inline constexpr int kClientHeight = 5490;

// The substitute chosen where the desktop lacks the bitmap face: it has
// the same widths as the face the main window uses and keeps every caption
// on one line.
inline constexpr char kDesignFamily[] = "MS Sans Serif";
inline constexpr char kSubstituteFamily[] = "Liberation Sans";

inline constexpr FontStyle kDefaultFont{kDesignFamily, 8.25};
inline constexpr FontStyle kCreditsFont{kDesignFamily, 9.75};
inline constexpr FontStyle kTitleFont{kDesignFamily, 12.0, true};

inline constexpr QRgb kLabelText = qRgb(255, 255, 255);
inline constexpr QRgb kUpperBand = qRgb(128, 255, 128);
inline constexpr QRgb kLowerBand = qRgb(22, 104, 203);

enum class Kind {
    PictureBox,     // child window, flat border, shows the About logo
    CommandButton,  // child window, default and cancel button
    Shape,          // surface rectangle, filled, one-pixel border
    Label,          // surface text, white, centred, transparent
};

using Words = texts::AboutTexts;

struct Control {
    const char* name;
    Kind kind;
    TwipsRect rect;
    const char* Words::*caption = nullptr;  // labels and the button
    FontStyle font = kDefaultFont;   // labels
    QRgb colour = 0;                // shape fill or label text
};

inline constexpr std::array<Control, 9> kControls{{
    {"Picture1", Kind::PictureBox, {360, 3360, 1935, 1095}},
    {"cmdOK", Kind::CommandButton, {3480, 4800, 1380, 345}, &Words::ok},
    {"Shape2", Kind::Shape, {0, 0, 8175, 2535}, nullptr, kDefaultFont, kUpperBand},
    {"Credits(2)", Kind::Label, {2400, 4200, 3645, 285}, &Words::dedication, kCreditsFont, kLabelText},
    {"Credits(1)", Kind::Label, {3000, 3720, 2445, 285}, &Words::copyright, kCreditsFont, kLabelText},
    {"Credits(0)", Kind::Label, {3000, 3480, 2475, 285}, &Words::author, kCreditsFont, kLabelText},
    {"lblTitle", Kind::Label, {1560, 2640, 5355, 345}, &Words::title, kTitleFont, kLabelText},
    {"lblVersion", Kind::Label, {1560, 3000, 5205, 225}, &Words::version, kDefaultFont, kLabelText},
    {"Shape1", Kind::Shape, {-120, 2520, 8175, 3015}, nullptr, kDefaultFont, kLowerBand},
}};

inline constexpr std::size_t kLabelCount = static_cast<std::size_t>(
    std::count_if(kControls.begin(), kControls.end(), [](const Control& c) { return c.kind == Kind::Label; }));

}  // namespace koppelo::ui::over
