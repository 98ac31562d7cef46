// Every word the main window shows or speaks, in Dutch: its title bar, menus
// and painted captions, and what a screen reader says of the cards, the
// counter and the previews and of what a turn came to. Whole sentences, with
// %1, %2, ... for what is filled in. The birds' names belong to the faces
// (assets/face_names.h).
#pragma once

namespace koppelo::ui::texts {

inline constexpr char kCaption[] = "Koppelo";
inline constexpr char kTitle[] = "Vogel-Koppelo";
inline constexpr char kPairsCaption[] = "Paren:";

inline constexpr char kMenuGame[] = "&Spel";
inline constexpr char kMenuNewGame[] = "&Nieuw spel";
inline constexpr char kMenuHelp[] = "&Help";
inline constexpr char kMenuAbout[] = "&Over...";

// A card by its number, row and column, counted from one.
inline constexpr char kCardFaceDown[] = "Kaart %1, rij %2, kolom %3: dicht";
inline constexpr char kCardFaceUp[] = "Kaart %1, rij %2, kolom %3: open, %4";
inline constexpr char kCardFound[] = "Kaart %1, rij %2, kolom %3: gevonden, %4";

inline constexpr char kPairsFound[] = "Paren: %1";
inline constexpr char kFirstPreview[] = "Eerste kaart: %1";
inline constexpr char kFirstPreviewEmpty[] = "Eerste kaart: leeg";
inline constexpr char kSecondPreview[] = "Tweede kaart: %1";
inline constexpr char kSecondPreviewEmpty[] = "Tweede kaart: leeg";

// What a turn or a menu came to.
inline constexpr char kPairFound[] = "paar gevonden, Paren: %1";
inline constexpr char kNoPair[] = "geen paar";
inline constexpr char kNewGame[] = "Nieuw spel";

// The end-of-game question.
inline constexpr char kWinPrompt[] = "Gefeliciteerd! U heeft alle paren gevonden! Wilt u een nieuw spel starten?";
inline constexpr char kWinTitle[] = "Gefeliciteerd!";

}  // namespace koppelo::ui::texts
