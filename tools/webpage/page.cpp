#include "page.h"

#include <QKeySequence>

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "markup.h"
#include "runtime/twips.h"
#include "texts/catalogue.h"
#include "ui/about/frm_over_layout.h"
#include "ui/main/frm_koppelo_layout.h"

namespace koppelo::webpage {

namespace {

namespace layout = ui::layout;
namespace over = ui::over;
using runtime::TwipsRect;
using runtime::qt::FontStyle;

constexpr double kDotsPerInch = 96;

// Only the page's own files; WebAssembly needs its own permission to compile.
constexpr char kContentSecurityPolicy[] =
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; img-src 'self'; "
    "connect-src 'self'; manifest-src 'self'; worker-src 'self'; object-src 'none'; base-uri 'none'; "
    "form-action 'none'";

// The desktop's menu bar is the toolkit's; this is its height in the page.
constexpr int kMenuBarPixels = 19;

int px(int twips) { return runtime::twipsToPixels(twips, kDotsPerInch); }

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string place(const TwipsRect& r)
{
    return "left: " + std::to_string(px(r.left)) + "px; top: " + std::to_string(px(r.top)) +
           "px; width: " + std::to_string(px(r.width)) + "px; height: " + std::to_string(px(r.height)) + "px;";
}

std::string rgb(QRgb colour)
{
    return "rgb(" + std::to_string(qRed(colour)) + " " + std::to_string(qGreen(colour)) + " " +
           std::to_string(qBlue(colour)) + ")";
}

std::string font(const FontStyle& style, std::string_view substitute)
{
    return std::string("font: ") + (style.bold ? "bold " : "") + number(style.points) + "pt \"" + style.family +
           "\", \"" + std::string(substitute) + "\", sans-serif;";
}

// Built by appending: GCC 12 misreads "#" + a string as an overlapping copy.
std::string idSelector(std::string_view id)
{
    std::string selector = "#";
    selector += id;
    return selector;
}

std::string rule(std::string_view selector, std::string_view body)
{
    return std::string(selector) + " { " + std::string(body) + " }\n";
}

std::string cardId(int slot) { return "Picture3-" + std::to_string(slot); }

// "Credits(2)" as an id: "Credits-2".
std::string elementId(std::string_view name)
{
    std::string id;
    for (const char c : name) {
        if (c == '(')
            id += '-';
        else if (c != ')')
            id += c;
    }
    return id;
}

const char* toolkitText(std::string_view source)
{
    for (const texts::ToolkitText& text : texts::chosen().toolkit)
        if (source == text.source)
            return text.translation;
    return source.data();
}

std::string mainWindowHtml()
{
    const texts::MainWindowTexts& words = texts::chosen().main;
    // The script builds the menus, with their roles and access keys.
    std::string html = "<div id=\"menubar\"></div>\n<div id=\"frmKoppelo\">\n";
    html += "<div id=\"shpTitel\"></div>\n<h1 id=\"lblTitel\">" + escapeHtml(words.title) + "</h1>\n";
    // A grid, so that a screen reader hands the arrow keys to the page rather
    // than taking them to read it line by line; one card in the tab order.
    html += "<div id=\"Lijn1\"></div>\n<div id=\"board\" role=\"grid\" aria-labelledby=\"lblTitel\">\n";
    for (int slot = 0; slot < game::kSlots; ++slot) {
        if (slot % game::kColumns == 0)
            html += "<div class=\"row\" role=\"row\">\n";
        html += "<div class=\"cell\" role=\"gridcell\"><button type=\"button\" id=\"" + cardId(slot) +
                "\" class=\"box card down\" data-slot=\"" + std::to_string(slot) + "\" tabindex=\"" +
                (slot == game::kFirstSlot ? "0" : "-1") + "\"></button></div>\n";
        if (slot % game::kColumns == game::kColumns - 1)
            html += "</div>\n";
    }
    html += "</div>\n";
    const int faceOnShow = layout::kPicture2TopFirst.front();
    html += "<div id=\"Picture2\" class=\"box\"><img src=\"" + faceFileName(faceOnShow) + "\" alt=\"" +
            escapeHtml(words.birds.at(static_cast<std::size_t>(faceOnShow))) + "\"></div>\n";
    html += "<div id=\"lblParen\" class=\"label\">" + escapeHtml(words.pairsCaption) + "</div>\n";
    html += "<div id=\"Label1\" class=\"label\">0</div>\n";
    html += "<div id=\"Picture4\" class=\"box\" role=\"img\"></div>\n";
    html += "<div id=\"Picture5\" class=\"box\" role=\"img\"></div>\n";
    html += "<div id=\"Picture6\"></div>\n</div>\n";
    return html;
}

std::string questionHtml()
{
    const texts::MainWindowTexts& words = texts::chosen().main;
    return "<dialog id=\"winQuestion\" aria-labelledby=\"winTitle\" aria-describedby=\"winPrompt\">\n"
           "<div id=\"winTitle\" class=\"titlebar\">" +
           escapeHtml(words.winTitle) + "</div>\n<p id=\"winPrompt\">" + escapeHtml(words.winPrompt) +
           "</p>\n<div class=\"buttons\">\n<button type=\"button\" id=\"cmdJa\">" +
           accessKeyHtml(toolkitText("&Yes")) + "</button>\n<button type=\"button\" id=\"cmdNee\">" +
           accessKeyHtml(toolkitText("&No")) + "</button>\n</div>\n</dialog>\n";
}

// The About dialog's controls in reading order, top to bottom; the table's
// stacking is kept by z-index in the style sheet.
std::vector<const over::Control*> aboutReadingOrder()
{
    std::vector<const over::Control*> order;
    for (const over::Control& control : over::kControls)
        order.push_back(&control);
    std::ranges::stable_sort(order, [](const over::Control* a, const over::Control* b) {
        return a->rect.top != b->rect.top ? a->rect.top < b->rect.top : a->rect.left < b->rect.left;
    });
    return order;
}

std::string aboutHtml()
{
    const texts::AboutTexts& words = texts::chosen().about;
    // Described by its name and version, which a screen reader says as the dialog opens.
    std::string html = "<dialog id=\"frmOver\" aria-labelledby=\"frmOverCaption\" aria-describedby=\"" +
                       elementId("lblTitle") + " " + elementId("lblVersion") + "\">\n<div id=\"frmOverCaption\" "
                       "class=\"titlebar\">" +
                       escapeHtml(words.caption) + "</div>\n<div id=\"frmOverClient\">\n";
    for (const over::Control* control : aboutReadingOrder()) {
        const std::string id = elementId(control->name);
        switch (control->kind) {
        case over::Kind::PictureBox:
            html += "<div id=\"" + id + "\"><img src=\"" + kLogoFile + "\" alt=\"" + escapeHtml(words.logoName) +
                    "\"></div>\n";
            break;
        case over::Kind::CommandButton:
            html += "<button type=\"button\" id=\"" + id + "\">" + escapeHtml(words.*control->caption) +
                    "</button>\n";
            break;
        case over::Kind::Shape:
            html += "<div id=\"" + id + "\" class=\"shape\"></div>\n";
            break;
        case over::Kind::Label:
            html += "<div id=\"" + id + "\" class=\"label\">" + escapeHtml(words.*control->caption) + "</div>\n";
            break;
        }
    }
    return html + "</div>\n</dialog>\n";
}

// A picture box's sunken border as the desktop draws it: two rings, dark
// above and left, light below and right, the dark ones taking the corners
// where they meet; drawn as shadows, as CSS borders share a corner between
// two colours. CSS folds the old 3D system colours into one, so the
// desktop's default greys stand here; forced colours draw a plain frame.
// The picture lies unscaled in the area inside, clipped to it.
std::string boxRules()
{
    return rule(".box", "position: absolute; box-sizing: border-box; margin: 0; padding: 0; border: 0; "
                        "overflow: hidden; appearance: none; background: ButtonFace; "
                        "box-shadow: inset 1px 1px #9f9f9f, inset -1px -1px #ffffff, "
                        "inset 2px 2px #767676, inset -2px -2px #cacaca;") +
           rule(".box > img", "position: absolute; left: 2px; top: 2px; width: calc(100% - 4px); "
                              "height: calc(100% - 4px); object-fit: none; object-position: 0 0;") +
           rule(".box > img:not([src])", "visibility: hidden;") +
           std::string("@media (forced-colors: active) {\n") + rule(".box", "border: 2px solid CanvasText;") +
           rule(".box > img", "left: 0; top: 0; width: 100%; height: 100%;") + "}\n";
}

std::string mainWindowRules()
{
    std::string css;
    css += rule("#frmKoppelo",
                "position: relative; overflow: hidden; background: ButtonFace; color: ButtonText; width: " +
                    std::to_string(px(layout::kClientWidth)) + "px; height: " +
                    std::to_string(px(layout::kClientHeight)) + "px;");
    css += rule("#frmKoppelo > *, #board button", "position: absolute; margin: 0;");
    css += rule("#board, #board .row", "position: static;");
    css += rule("#shpTitel", place(layout::kShpTitel) + " box-sizing: border-box; background: " +
                                 rgb(layout::kShpTitelFill) + "; border: 1px solid CanvasText;");
    css += rule("#lblTitel", place(layout::kLblTitel) + " " + font(layout::kLblTitelFont, over::kSubstituteFamily) +
                                 " color: " + rgb(layout::kLblTitelColour) + "; white-space: nowrap; overflow: hidden;");
    const runtime::qt::SurfaceLine& line = layout::kLijn1;
    // The line's end point is not drawn, and the client area clips it.
    css += rule("#Lijn1", place({line.x1, line.y1, 0, 0}) + " width: 1px; height: " +
                              std::to_string(px(line.y2) - px(line.y1)) + "px; background: CanvasText;");
    for (int slot = 0; slot < game::kSlots; ++slot)
        css += rule(idSelector(cardId(slot)), place(layout::slotRect(slot)));
    css += rule("#Picture2", place(layout::kPicture2));
    css += rule("#frmKoppelo > .label",
                font(layout::kPanelFont, over::kSubstituteFamily) +
                    " text-align: center; white-space: nowrap; overflow: hidden; background: ButtonFace;");
    css += rule("#lblParen", place(layout::kLblParen));
    css += rule("#Label1", place(layout::kLabel1));
    css += rule("#Picture4", place(layout::kPicture4));
    css += rule("#Picture5", place(layout::kPicture5));
    css += rule("#Picture6", place(layout::kPicture6) + " background: ButtonFace;");
    return css;
}

// Its height as the desktop's; the script builds and styles the menus.
std::string menuRules() { return rule("#menubar", "height: " + std::to_string(kMenuBarPixels) + "px; font: menu;"); }

std::string dialogRules()
{
    std::string css;
    css += rule("dialog", "padding: 0; border: 1px solid CanvasText; background: ButtonFace; color: ButtonText;");
    // The question is the toolkit's message box, in the system's font.
    css += rule("#winQuestion", "font: message-box;");
    css += rule("#frmOver", font(over::kDefaultFont, over::kSubstituteFamily));
    css += rule(".titlebar", "font: caption; padding: 3px 6px; background: ActiveCaption; color: CaptionText;");
    css += rule("#winQuestion p", "margin: 16px;");
    css += rule("#winQuestion .buttons", "display: flex; justify-content: center; gap: 8px; margin: 0 16px 16px;");
    css += rule("#winQuestion button, #cmdOK", "min-width: 75px; font: inherit;");
    css += rule("#frmOverClient", "position: relative; overflow: hidden; width: " +
                                      std::to_string(px(over::kClientWidth)) + "px; height: " +
                                      std::to_string(px(over::kClientHeight)) + "px;");
    css += rule("#frmOverClient > *", "position: absolute; box-sizing: border-box; margin: 0;");
    for (std::size_t i = 0; i < over::kControls.size(); ++i) {
        const over::Control& control = over::kControls[i];
        std::string body = place(control.rect) + " z-index: " + std::to_string(over::kControls.size() - i) + ";";
        switch (control.kind) {
        case over::Kind::PictureBox:
            body += " overflow: hidden; background: Canvas; border: 1px solid CanvasText;";
            break;
        case over::Kind::CommandButton:
            body += " min-width: 0; padding: 0;";
            break;
        case over::Kind::Shape:
            body += " background: " + rgb(control.colour) + "; border: 1px solid CanvasText;";
            break;
        case over::Kind::Label:
            body += ' ';
            body += font(control.font, over::kSubstituteFamily) + " color: " + rgb(control.colour) +
                    "; text-align: center; white-space: nowrap; overflow: hidden;";
            break;
        }
        css += rule(idSelector(elementId(control.name)), body);
    }
    css += rule("#Picture1 > img", "display: block; max-width: none;");
    return css;
}

}  // namespace

std::string faceFileName(int face)
{
    char name[24];
    std::snprintf(name, sizeof name, "img/face-%02d.png", face);
    return name;
}

std::string preloads(const std::vector<std::string>& loaded)
{
    std::string links;
    for (const std::string& file : loaded) {
        const std::string href = escapeHtml(file);
        if (file.ends_with(".js") || file.ends_with(".mjs"))
            links += "<link rel=\"modulepreload\" href=\"" + href + "\">\n";
        else if (file.ends_with(".wasm"))
            links += "<link rel=\"preload\" href=\"" + href + "\" as=\"fetch\" type=\"application/wasm\" crossorigin>\n";
    }
    return links;
}

std::string indexHtml(const std::vector<std::string>& loaded)
{
    const texts::MainWindowTexts& words = texts::chosen().main;
    return std::string("<!DOCTYPE html>\n<html lang=\"nl\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta http-equiv=\"Content-Security-Policy\" content=\"") +
           kContentSecurityPolicy +
           "\">\n<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
           escapeHtml(words.caption) + "</title>\n<link rel=\"stylesheet\" href=\"" + kLayoutCss +
           "\">\n<link rel=\"stylesheet\" href=\"" + kLookCss + "\">\n<link rel=\"manifest\" href=\"" + kManifest +
           "\">\n<link rel=\"icon\" href=\"" + kFavicon + "\">\n" + preloads(loaded) +
           "<script type=\"module\" src=\"" + kMainScript +
           "\"></script>\n</head>\n<body>\n<main id=\"window\">\n" + mainWindowHtml() +
           "<div id=\"news\" role=\"status\" aria-live=\"polite\"></div>\n</main>\n" + questionHtml() + aboutHtml() +
           "</body>\n</html>\n";
}

std::string layoutCss()
{
    return "/* Made by koppelo-webpage from the window layouts, 15 twips to the pixel. */\n" +
           rule("html, body", "margin: 0; background: Canvas;") +
           rule("body", "touch-action: manipulation; user-select: none; -webkit-user-select: none;") +
           rule("#window", "display: inline-block;") +
           rule("#news", "position: absolute; width: 1px; height: 1px; overflow: hidden; clip-path: inset(50%); "
                         "white-space: nowrap;") +
           menuRules() + boxRules() + mainWindowRules() + dialogRules();
}

}  // namespace koppelo::webpage
