// Dutch: the game's own language.
#include "texts/catalogue.h"

namespace koppelo::texts {

namespace {

constexpr Language kDutch{
    .main =
        {
            .caption = "Koppelo",
            .title = "Vogel-Koppelo",
            .pairsCaption = "Paren:",
            .menuGame = "&Spel",
            .menuNewGame = "&Nieuw spel",
            .menuHelp = "&Help",
            .menuAbout = "&Over...",
            .cardFaceDown = "Kaart %1, rij %2, kolom %3: dicht",
            .cardFaceUp = "Kaart %1, rij %2, kolom %3: open, %4",
            .cardFound = "Kaart %1, rij %2, kolom %3: gevonden, %4",
            .pairsFound = "Paren: %1",
            .firstPreview = "Eerste kaart: %1",
            .firstPreviewEmpty = "Eerste kaart: leeg",
            .secondPreview = "Tweede kaart: %1",
            .secondPreviewEmpty = "Tweede kaart: leeg",
            .pairFound = "paar gevonden, Paren: %1",
            .noPair = "geen paar",
            .newGame = "Nieuw spel",
            .winPrompt = "Gefeliciteerd! U heeft alle paren gevonden! Wilt u een nieuw spel starten?",
            .winTitle = "Gefeliciteerd!",
            // In face order; the subjects of the photographs in assets/source/CREDITS.md.
            .birds = {{
                "grijze kroonkraan",        // crowned-crane
                "stormbandpinguïn",         // penguin
                "purperreiger",             // purple-heron
                "knobbelzwaan met jongen",  // swans
                "lepelaar",                 // spoonbill
                "halsbandarassari",         // aracari
                "ijsvogel",                 // kingfisher
                "witte eend",               // duck
                "blauwe kiekendief",        // hen-harrier
                "kippen",                   // hens
                "haan",                     // rooster
                "pelikaan",                 // pelican
                "jonge grauwe gans",        // gosling
                "flamingo",                 // flamingo
                "bosuil",                   // tawny-owl
                "geelvleugelara",           // macaw
                "merel",                    // blackbird
                "ekster",                   // magpie
            }},
        },
    .about =
        {
            .caption = "Over...",
            .title = "Vogel-Koppelo",
            .version = "versie 1.0",
            .author = "Spel door Pluimpje, 2003",
            .copyright = "\u00a9 2003 Veerkracht Soft",
            .dedication = "Voor de website \"Pluimwerk\".",
            .ok = "OK",
            .logoName = "Logo Vogel-Koppelo",
        },
    .program =
        {
            .valueName = "waarde",
            .help = "Gebruik: koppelo [opties]\n"
                "Vogel-Koppelo: zoek de 18 vogelparen onder 36 omgekeerde kaarten.\n"
                "\n"
                "Opties:\n"
                "%1"
                "\n"
                "De opties van Qt gelden ook, zoals -platform, -style en -display.\n"
                "In het spel begint F2 een nieuw spel; Alt+S opent het menu Spel, Alt+H het menu Help.\n",
            .helpOption = "Toon deze hulp en stop.",
            .versionOption = "Toon de versie en stop.",
            .version = "koppelo (Vogel-Koppelo) %1\n"
                "Vrije software onder de GPL, versie 3 of later; er is GEEN garantie.\n"
                "%2\n",
            .unknownOption = "koppelo: onbekende optie '%1' (zie koppelo --help)",
            .optionTakesNoValue = "koppelo: optie '%1' neemt geen waarde (zie koppelo --help)",
            .optionLacksValue = "koppelo: optie '%1' mist een waarde (zie koppelo --help)",
            .optionJoined = "koppelo: schrijf '-%1 %2' in plaats van '%3' (zie koppelo --help)",
            .unexpectedArgument = "koppelo: onverwacht argument '%1' (zie koppelo --help)",
            .cannotWriteOutput = "koppelo: kan niet naar de standaarduitvoer schrijven: %1",
            .scaleRefused =
                "koppelo: het venster kan niet getoond worden op schaal %1 (%2); kies een schaal van %3 tot %4",
            .layoutScaleRefused =
                "koppelo: het venster kan niet getoond worden met zijn indeling op schaal %1 (%2); kies een schaal "
                "van %3 tot %4",
            .scaleOfTheScreen = "de instelling van het scherm",
            .depthRefused =
                "koppelo: het venster kan niet getoond worden in %1 bits per beeldpunt; kies een kleurdiepte van ten "
                "minste %2 bits",
            .posix =
                {
                    .noDisplay =
                        "koppelo: geen beeldscherm gevonden; start het op een bureaublad, of onder Xvfb: "
                        "xvfb-run -a %1",
                    .displayFailed = "koppelo: kan beeldscherm \"%1\" niet openen",
                    .displayFailedOnPlatform = "koppelo: kan beeldscherm \"%1\" niet openen met het Qt-platform \"%2\"",
                    .noDisplayOnPlatform = "koppelo: kan geen beeldscherm openen met het Qt-platform \"%1\"",
                    .platformMissing =
                        "koppelo: Qt kan zijn platform \"%1\" niet vinden; welke er zijn, zegt Qt hieronder",
                    .waylandMissing =
                        "koppelo: Qt kan zijn platform \"%1\" niet vinden; installeer het pakket qt6-wayland",
                    .arialMissing =
                        "koppelo: lettertype Arial ontbreekt (Liberation Sans uit het pakket fonts-liberation); de "
                        "teksten staan in een ander lettertype en passen misschien niet",
                    .noFonts =
                        "koppelo: er zijn geen lettertypen, dus blijven alle teksten leeg; nodig zijn Arial (Liberation "
                        "Sans uit het pakket fonts-liberation) en een lettertype voor de menu's (DejaVu Sans uit het "
                        "pakket fonts-dejavu-core)",
                    .credits = "De foto's en hun makers: zie /usr/share/doc/koppelo/CREDITS.md uit het pakket koppelo.",
                },
            .windows =
                {
                    .messageBoxTitle = "Koppelo",
                    .noWindow = "koppelo: kan geen venster openen",
                    .noWindowOnPlatform = "koppelo: kan geen venster openen met het Qt-platform \"%1\"",
                    .platformMissing =
                        "koppelo: dit programma heeft geen Qt-platform \"%1\"; welke het wel heeft, zegt Qt hieronder",
                    .arialMissing =
                        "koppelo: lettertype Arial ontbreekt (een lettertype van Windows; onder Wine kan Liberation Sans "
                        "het vervangen); de teksten staan in een ander lettertype en passen misschien niet",
                    .noFonts =
                        "koppelo: er zijn geen lettertypen, dus blijven alle teksten leeg; nodig zijn Arial (een "
                        "lettertype van Windows; onder Wine kan Liberation Sans het vervangen) en een lettertype voor de "
                        "menu's (de lettertypen van Windows)",
                    .credits = "De foto's en hun makers: zie CREDITS.md naast Koppelo.exe.",
                },
        },
    // As the toolkit's own Dutch translation has them: built in, as a
    // program on its own has no translation files.
    .toolkit = {{
        {"QPlatformTheme", "&Yes", "&Ja"},
        {"QPlatformTheme", "&No", "&Nee"},
    }},
};

}  // namespace

const Language& dutch() { return kDutch; }

}  // namespace koppelo::texts
