#include "command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "texts/catalogue.h"
#include "app/version.h"
#include "platform.h"

namespace koppelo::app {

namespace {

const texts::ProgramTexts& words() { return texts::chosen().program; }

constexpr int kStatusBadCommandLine = 2;

struct OwnOption {
    const char* shortName;
    const char* longName;
    const char* texts::ProgramTexts::*description;
};

constexpr OwnOption kHelp{"h", "help", &texts::ProgramTexts::helpOption};
constexpr OwnOption kVersion{"v", "version", &texts::ProgramTexts::versionOption};
constexpr std::array kOwnOptions{kHelp, kVersion};

// What QGuiApplication, QApplication and the X11 platform take off the
// command line themselves; they must reach QApplication as given.
constexpr std::array kToolkitOptionsWithValue{
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
    "qwindowtitle", "title", "qwindowicon", "icon", "display", "name", "style", "stylesheet",
    "session", "qmljsdebugger",
};
constexpr std::array kToolkitFlags{"reverse", "widgetcount", "testability", "nograb", "dograb", "sync"};

// valueName: empty for a flag.
QCommandLineOption toolkitOption(const char* name, const QString& valueName)
{
    QCommandLineOption option(QLatin1String(name), QString(), valueName);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

QString helpText()
{
    QStringList names;
    for (const OwnOption& option : kOwnOptions)
        names << QStringLiteral("  -%1, --%2").arg(QLatin1String(option.shortName), QLatin1String(option.longName));
    const auto widest = std::max_element(names.begin(), names.end(), [](const QString& a, const QString& b) {
                            return a.size() < b.size();
                        })->size();
    QString options;
    for (std::size_t i = 0; i < kOwnOptions.size(); ++i)
        options += names[static_cast<qsizetype>(i)].leftJustified(widest + 2) +
                   QString::fromUtf8(words().*kOwnOptions[i].description) + QLatin1Char('\n');
    return QString::fromUtf8(words().help).arg(options);
}

QString versionText()
{
    return QString::fromUtf8(words().version).arg(QLatin1String(kVersionNumber), describeCredits());
}

// A one-line text with its one value filled in, and its line end.
QString line(const char* text, const QString& value)
{
    return QString::fromUtf8(text).arg(value) + QLatin1Char('\n');
}

// The option's name as QCommandLineParser reports it: no dashes, no value.
QString optionName(const QString& argument)
{
    QString name = argument;
    while (name.startsWith(QLatin1Char('-')))
        name.remove(0, 1);
    return name.section(QLatin1Char('='), 0, 0);
}

bool isFlag(const QString& name)
{
    const auto same = [&name](const char* flag) { return name == QLatin1String(flag); };
    return std::any_of(kToolkitFlags.begin(), kToolkitFlags.end(), same) ||
           std::any_of(kOwnOptions.begin(), kOwnOptions.end(), [&name](const OwnOption& option) {
               return name == QLatin1String(option.shortName) || name == QLatin1String(option.longName);
           });
}

bool takesValue(const QString& name)
{
    return std::any_of(kToolkitOptionsWithValue.begin(), kToolkitOptionsWithValue.end(),
                       [&name](const char* option) { return name == QLatin1String(option); });
}

// Qt reads its options only as two arguments (-platform offscreen) and would
// drop -platform=offscreen unseen, so that form is refused. Returns the
// first toolkit option written with '=', or an empty string.
QString joinedToolkitOption(const QStringList& typed)
{
    for (qsizetype i = 0; i < typed.size() && typed[i] != QLatin1String("--"); ++i) {
        if (!typed[i].startsWith(QLatin1Char('-')) || !takesValue(optionName(typed[i])))
            continue;
        if (typed[i].contains(QLatin1Char('=')))
            return typed[i];
        ++i;  // its value, whatever it looks like
    }
    return {};
}

// The parser words its errors in English; say the same in Dutch, naming the
// argument as the player typed it.
QString describeParseError(const QCommandLineParser& parser, const QStringList& options)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString unknown = parser.unknownOptionNames().constFirst();
        const auto typed = std::find_if(options.begin(), options.end(),
                                        [&unknown](const QString& argument) { return optionName(argument) == unknown; });
        return line(words().unknownOption, typed != options.end() ? *typed : unknown);
    }
    for (const QString& argument : options)
        if (argument.contains(QLatin1Char('=')) && isFlag(optionName(argument)))
            return line(words().optionTakesNoValue, argument.section(QLatin1Char('='), 0, 0));
    return line(words().optionLacksValue, options.isEmpty() ? QString() : options.constLast());
}

// An answer nobody received is no success: a full disk or a closed output
// shows only when the text is flushed, and then standard error says so.
int printAnswer(const QString& text)
{
    if (printText(Stream::Output, text))
        return EXIT_SUCCESS;
    const int error = errno;
    printText(Stream::Error,
              line(words().cannotWriteOutput, QString::fromLocal8Bit(std::strerror(error))));
    return EXIT_FAILURE;
}

}  // namespace

CommandLineAnswer readCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Qt's own options are single-dash words (-platform, -style).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OwnOption& option : kOwnOptions)
        parser.addOption(QCommandLineOption({QLatin1String(option.shortName), QLatin1String(option.longName)},
                                            QString::fromUtf8(words().*option.description)));
    for (const char* name : kToolkitOptionsWithValue)
        parser.addOption(toolkitOption(name, QString::fromUtf8(words().valueName)));
    for (const char* name : kToolkitFlags)
        parser.addOption(toolkitOption(name, QString()));

    if (!parser.parse(arguments)) {
        const QStringList typed = arguments.mid(1);
        return {CommandLineRequest::Mistake, describeParseError(parser, typed)};
    }
    if (const QString joined = joinedToolkitOption(arguments.mid(1)); !joined.isEmpty())
        return {CommandLineRequest::Mistake, QString::fromUtf8(words().optionJoined)
                                                     .arg(optionName(joined), joined.section(QLatin1Char('='), 1), joined) +
                                                 QLatin1Char('\n')};
    if (!parser.positionalArguments().isEmpty())
        return {CommandLineRequest::Mistake,
                line(words().unexpectedArgument, parser.positionalArguments().constFirst())};
    if (parser.isSet(QLatin1String(kHelp.longName)))
        return {CommandLineRequest::Help, helpText()};
    if (parser.isSet(QLatin1String(kVersion.longName)))
        return {CommandLineRequest::Version, versionText()};
    return {};
}

std::optional<int> answerCommandLine(int argc, char* argv[])
{
    // Nothing typed after the program's name: nothing to read, so no parser to build.
    if (argc <= 1)
        return std::nullopt;
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineAnswer answer = readCommandLine(arguments);
    switch (answer.request) {
    case CommandLineRequest::Play:
        return std::nullopt;
    case CommandLineRequest::Help:
    case CommandLineRequest::Version:
        return printAnswer(answer.text);
    case CommandLineRequest::Mistake:
        printText(Stream::Error, answer.text);
        return kStatusBadCommandLine;
    }
    return std::nullopt;
}

}  // namespace koppelo::app
