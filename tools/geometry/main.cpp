// koppelo-window-geometry: the places of the main window and the About
// dialog that the X tests and the start-up benchmark read off a real screen,
// in pixels at 96 dpi, taken from the layout tables and printed as JSON, so
// that nothing outside the program retypes them.
#include <QColor>

#include <cstdio>
#include <string>

#include "runtime/twips.h"
#include "ui/about/frm_over_layout.h"
#include "ui/main/frm_koppelo_layout.h"

namespace {

using namespace koppelo;

constexpr double kDotsPerInch = 96;

int pixels(int twips) { return runtime::twipsToPixels(twips, kDotsPerInch); }

std::string rect(const runtime::TwipsRect& r)
{
    return "[" + std::to_string(pixels(r.left)) + ", " + std::to_string(pixels(r.top)) + ", " +
           std::to_string(pixels(r.width)) + ", " + std::to_string(pixels(r.height)) + "]";
}

std::string colour(QRgb rgb)
{
    return "[" + std::to_string(qRed(rgb)) + ", " + std::to_string(qGreen(rgb)) + ", " + std::to_string(qBlue(rgb)) +
           "]";
}

runtime::TwipsRect aboutControl(const char* name)
{
    for (const ui::over::Control& control : ui::over::kControls)
        if (std::string(control.name) == name)
            return control.rect;
    return {};
}

}  // namespace

int main()
{
    namespace layout = ui::layout;
    std::string grid;
    for (int i = 0; i < game::kSlots; ++i)
        grid += (i == 0 ? "" : ", ") + rect(layout::slotRect(i));
    std::printf("{\n"
                "  \"client\": [%d, %d],\n"
                "  \"shpTitel\": {\"rect\": %s, \"fill\": %s},\n"
                "  \"Picture3\": [%s],\n"
                "  \"lblTitel\": %s,\n"
                "  \"lblParen\": %s,\n"
                "  \"Label1\": %s,\n"
                "  \"Picture4\": %s,\n"
                "  \"Picture5\": %s,\n"
                "  \"Picture6\": %s,\n"
                "  \"frmOver.cmdOK\": %s\n"
                "}\n",
                pixels(layout::kClientWidth), pixels(layout::kClientHeight), rect(layout::kShpTitel).c_str(),
                colour(layout::kShpTitelFill).c_str(), grid.c_str(), rect(layout::kLblTitel).c_str(),
                rect(layout::kLblParen).c_str(), rect(layout::kLabel1).c_str(),
                rect(layout::kPicture4).c_str(), rect(layout::kPicture5).c_str(), rect(layout::kPicture6).c_str(),
                rect(aboutControl("cmdOK")).c_str());
    return std::ferror(stdout) ? 1 : 0;
}
