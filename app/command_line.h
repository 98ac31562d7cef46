// The program's command line: --help and --version in Dutch, one clear line
// for a mistake, and the toolkit's own options (-platform, -style, -display,
// ...) let through untouched for QApplication. It is read before any
// application object exists, so it needs no display.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace koppelo::app {

enum class CommandLineRequest { Play, Help, Version, Mistake };

struct CommandLineAnswer {
    CommandLineRequest request = CommandLineRequest::Play;
    QString text;  // help or version for standard output, a mistake for standard error
};

// arguments: the whole command line, the program's name first.
CommandLineAnswer readCommandLine(const QStringList& arguments);

// Prints what readCommandLine answers and returns the exit status, or
// nothing when the game should start.
std::optional<int> answerCommandLine(int argc, char* argv[]);

}  // namespace koppelo::app
