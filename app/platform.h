// What the program does differently on each desktop it is built for: the
// standard streams it finds at its start, where a text meant for the
// terminal reaches the player, how it names a display that cannot be opened
// or a platform plugin it lacks, where the fonts it needs come from, and how
// their configuration is loaded.
// CMake compiles one source file per platform behind these calls.
#pragma once

#include <QString>

#include <string>

namespace koppelo::app {

enum class Stream { Output, Error };

// What the command line and the environment ask of the toolkit's start.
struct DisplayRequest {
    std::string program;   // as started, argv[0]
    std::string platform;  // -platform or QT_QPA_PLATFORM; empty for the default
    std::string display;   // -display; empty when not given
};

// Call it in main before anything can open a file or a connection; the
// command line, which opens none, is answered first. On POSIX a descriptor
// 0-2 that the caller left closed is opened on /dev/null, so that the display
// connection can never become standard output.
void reopenClosedStandardStreams();

// Puts a text meant for the terminal where the player reads it; false, with
// errno saying why, when it could not be written.
bool printText(Stream stream, const QString& text);

// One line saying that the display could not be opened, and how to start
// the game where it can.
std::string describeDisplayFailure(const DisplayRequest& request);

// The fonts the window is drawn in: the layout's Arial, or one made to its
// measures, and one for the menus. Either Arial is missing, or every font.
enum class MissingFonts { Arial, All };

// One line saying which fonts are missing and where the player gets them.
QString describeMissingFonts(MissingFonts missing);

// Loads the system's font configuration and its caches, which the toolkit
// would otherwise load where it first needs a font; safe on any thread, and
// nothing where the toolkit keeps no such configuration.
void loadFontConfiguration();

// One line saying where the photographs' credits lie beside the installed
// program, for --version.
QString describeCredits();

// One line saying that the toolkit has no plugin for the platform it was to
// start on (plugin, as the toolkit names it), and where one comes from.
std::string describeMissingPlatform(const std::string& plugin);

}  // namespace koppelo::app
