// Every line the program itself prints to a player, in Dutch: the command
// line's help, version and mistakes, and why it cannot start or what it
// lacks. Whole lines, with %1, %2, ... for what is filled in; a one-line
// text gets its line end where it is printed. Where Linux and Windows word
// a thing differently both are here, and each platform's file takes its own.
// The windows' words are in ui/main/texts.h and ui/about/frm_over_layout.h.
#pragma once

namespace koppelo::app::texts {

// The command line. %1 of the help: a line for each option below.
inline constexpr char kHelp[] = "Gebruik: koppelo [opties]\n"
                                "Vogel-Koppelo: zoek de 18 vogelparen onder 36 omgekeerde kaarten.\n"
                                "\n"
                                "Opties:\n"
                                "%1"
                                "\n"
                                "De opties van Qt gelden ook, zoals -platform, -style en -display.\n"
                                "In het spel begint F2 een nieuw spel; Alt+S opent het menu Spel, Alt+H het menu Help.\n";
inline constexpr char kHelpOption[] = "Toon deze hulp en stop.";
inline constexpr char kVersionOption[] = "Toon de versie en stop.";
inline constexpr char kVersion[] = "koppelo (Vogel-Koppelo) %1\n"
                                   "Vrije software onder de GPL, versie 3 of later; er is GEEN garantie.\n";
inline constexpr char kUnknownOption[] = "koppelo: onbekende optie '%1' (zie koppelo --help)";
inline constexpr char kOptionTakesNoValue[] = "koppelo: optie '%1' neemt geen waarde (zie koppelo --help)";
inline constexpr char kOptionLacksValue[] = "koppelo: optie '%1' mist een waarde (zie koppelo --help)";
// %1 the option's name, %2 its value, %3 the two as typed with '='.
inline constexpr char kOptionJoined[] = "koppelo: schrijf '-%1 %2' in plaats van '%3' (zie koppelo --help)";
inline constexpr char kUnexpectedArgument[] = "koppelo: onverwacht argument '%1' (zie koppelo --help)";
// %1 the system's reason.
inline constexpr char kCannotWriteOutput[] = "koppelo: kan niet naar de standaarduitvoer schrijven: %1";

// The screen. %1 the refused scale, %2 what set it (the variables, or the
// screen's own setting), %3 and %4 the smallest and largest scale allowed.
inline constexpr char kScaleRefused[] =
    "koppelo: het venster kan niet getoond worden op schaal %1 (%2); kies een schaal van %3 tot %4";
inline constexpr char kLayoutScaleRefused[] =
    "koppelo: het venster kan niet getoond worden met zijn indeling op schaal %1 (%2); kies een schaal van %3 tot %4";
inline constexpr char kScaleOfTheScreen[] = "de instelling van het scherm";
inline constexpr char kDepthRefused[] =
    "koppelo: het venster kan niet getoond worden in %1 bits per beeldpunt; kies een kleurdiepte van ten minste %2 bits";

// Linux and the other POSIX desktops.
namespace posix {

// %1 the program as it was started.
inline constexpr char kNoDisplay[] =
    "koppelo: geen beeldscherm gevonden; start het op een bureaublad, of onder Xvfb: xvfb-run -a %1";
inline constexpr char kDisplayFailed[] = "koppelo: kan beeldscherm \"%1\" niet openen";
// %1 the display, %2 the platform.
inline constexpr char kDisplayFailedOnPlatform[] = "koppelo: kan beeldscherm \"%1\" niet openen met het Qt-platform \"%2\"";
inline constexpr char kNoDisplayOnPlatform[] = "koppelo: kan geen beeldscherm openen met het Qt-platform \"%1\"";
inline constexpr char kPlatformMissing[] = "koppelo: Qt kan zijn platform \"%1\" niet vinden; welke er zijn, zegt Qt hieronder";
inline constexpr char kWaylandMissing[] = "koppelo: Qt kan zijn platform \"%1\" niet vinden; installeer het pakket qt6-wayland";
inline constexpr char kArialMissing[] =
    "koppelo: lettertype Arial ontbreekt (Liberation Sans uit het pakket fonts-liberation); de teksten staan in een "
    "ander lettertype en passen misschien niet";
inline constexpr char kNoFonts[] =
    "koppelo: er zijn geen lettertypen, dus blijven alle teksten leeg; nodig zijn Arial (Liberation Sans uit het "
    "pakket fonts-liberation) en een lettertype voor de menu's (DejaVu Sans uit het pakket fonts-dejavu-core)";

}  // namespace posix

// Windows, where a line shows in a message box when no console shows it.
namespace windows {

inline constexpr char kMessageBoxTitle[] = "Koppelo";
inline constexpr char kNoWindow[] = "koppelo: kan geen venster openen";
inline constexpr char kNoWindowOnPlatform[] = "koppelo: kan geen venster openen met het Qt-platform \"%1\"";
inline constexpr char kPlatformMissing[] =
    "koppelo: dit programma heeft geen Qt-platform \"%1\"; welke het wel heeft, zegt Qt hieronder";
inline constexpr char kArialMissing[] =
    "koppelo: lettertype Arial ontbreekt (een lettertype van Windows; onder Wine kan Liberation Sans het vervangen); "
    "de teksten staan in een ander lettertype en passen misschien niet";
inline constexpr char kNoFonts[] =
    "koppelo: er zijn geen lettertypen, dus blijven alle teksten leeg; nodig zijn Arial (een lettertype van Windows; "
    "onder Wine kan Liberation Sans het vervangen) en een lettertype voor de menu's (de lettertypen van Windows)";

}  // namespace windows

}  // namespace koppelo::app::texts
