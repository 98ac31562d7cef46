// Every word a player meets, one catalogue per window: the main window's,
// the About dialog's, the program's own lines (the command line, a start
// that fails), and the toolkit's own texts that the game shows (the
// question's buttons). Whole sentences, with %1, %2, ... for what is filled
// in. A language fills all of them in one file of its own; the program
// takes the one chosen here at start-up. Plain data: no Qt.
#pragma once

#include <array>
#include <cstddef>

namespace koppelo::texts {

inline constexpr std::size_t kBirds = 18;

struct MainWindowTexts {
    const char* caption;  // the title bar
    const char* title;    // the band's caption
    const char* pairsCaption;
    const char* menuGame;
    const char* menuNewGame;
    const char* menuHelp;
    const char* menuAbout;

    // A card by its number, row and column, counted from one, and its bird.
    const char* cardFaceDown;
    const char* cardFaceUp;
    const char* cardFound;
    const char* pairsFound;
    const char* firstPreview;
    const char* firstPreviewEmpty;
    const char* secondPreview;
    const char* secondPreviewEmpty;

    // What a turn or a menu came to, and the end-of-game question.
    const char* pairFound;
    const char* noPair;
    const char* newGame;
    const char* winPrompt;
    const char* winTitle;

    // The bird on face k, as a screen reader names it.
    std::array<const char*, kBirds> birds;
};

struct AboutTexts {
    const char* caption;
    const char* title;
    const char* version;
    const char* author;
    const char* copyright;
    const char* dedication;
    const char* ok;
    const char* logoName;  // the logo picture, which shows the game's name
};

// The lines the program itself prints to a player: the command line's
// help, version and mistakes, and why it cannot start or what it lacks.
// Whole lines; a one-line text gets its line end where it is printed. Where
// Linux and Windows word a thing differently, each has its own.
struct ProgramTexts {
    const char* valueName;  // what the help calls an option's value
    // The command line. %1 of the help: a line for each option below.
    const char* help;
    const char* helpOption;
    const char* versionOption;
    // %1 the version number, %2 where the photographs' credits lie (credits below).
    const char* version;
    const char* unknownOption;
    const char* optionTakesNoValue;
    const char* optionLacksValue;
    // %1 the option's name, %2 its value, %3 the two as typed with '='.
    const char* optionJoined;
    const char* unexpectedArgument;
    // %1 the system's reason.
    const char* cannotWriteOutput;
    // The screen. %1 the refused scale, %2 what set it (the variables, or the
    // screen's own setting), %3 and %4 the smallest and largest scale allowed.
    const char* scaleRefused;
    const char* layoutScaleRefused;
    const char* scaleOfTheScreen;
    const char* depthRefused;

    // Linux and the other POSIX desktops.
    struct {
        // %1 the program as it was started.
        const char* noDisplay;
        const char* displayFailed;
        // %1 the display, %2 the platform.
        const char* displayFailedOnPlatform;
        const char* noDisplayOnPlatform;
        const char* platformMissing;
        const char* waylandMissing;
        const char* arialMissing;
        const char* noFonts;
        const char* credits;  // the package's documentation folder
    } posix;

    // Windows, where a line shows in a message box when no console shows it.
    struct {
        const char* messageBoxTitle;
        const char* noWindow;
        const char* noWindowOnPlatform;
        const char* platformMissing;
        const char* arialMissing;
        const char* noFonts;
        const char* credits;  // beside the program, in the archive it comes in
    } windows;
};

// One of the toolkit's own texts, by its context and English source text.
struct ToolkitText {
    const char* context;
    const char* source;
    const char* translation;
};

struct Language {
    MainWindowTexts main;
    AboutTexts about;
    ProgramTexts program;
    std::array<ToolkitText, 2> toolkit;
};

const Language& dutch();

// The language the program speaks.
const Language& chosen();

}  // namespace koppelo::texts
