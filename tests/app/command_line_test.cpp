// The program around the window: what each kind of argument asks for, the
// built program answering --help, --version and a mistake without any
// display and failing where its answer cannot be written, and the scale it
// refuses to start at.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/scale_check.h"
#include "app/version.h"

namespace koppelo::app::test {
namespace {

struct Case {
    QStringList arguments;
    CommandLineRequest request;
    const char* mentions;  // a word the answer must contain, or nullptr
};

CommandLineAnswer read(const QStringList& arguments)
{
    return readCommandLine(QStringList{QStringLiteral("koppelo")} + arguments);
}

TEST(CommandLine, SortsEveryKindOfArgument)
{
    using R = CommandLineRequest;
    const Case cases[] = {
        {{}, R::Play, nullptr},
        {{"-platform", "offscreen"}, R::Play, nullptr},
        {{"-style", "fusion", "-reverse"}, R::Play, nullptr},
        {{"--style", "fusion", "-display", ":3", "-geometry", "+0+0", "-title", "a=b"}, R::Play, nullptr},
        {{"--platform=offscreen"}, R::Mistake, "schrijf '-platform offscreen' in plaats van '--platform=offscreen'"},
        {{"-reverse", "-style=Windows"}, R::Mistake, "'-style Windows'"},
        {{"-title", "-style=x", "-display=:3"}, R::Mistake, "'-display :3'"},
        {{"-h"}, R::Help, "--version"},
        {{"--help"}, R::Help, "F2"},
        {{"-v"}, R::Version, kVersionNumber},
        {{"-platform", "offscreen", "--version"}, R::Version, "GPL"},
        {{"--bogus"}, R::Mistake, "'--bogus'"},
        {{"-x", "--help"}, R::Mistake, "'-x'"},
        {{"-style", "fusion", "-q=1"}, R::Mistake, "'-q=1'"},
        {{"kaarten.txt"}, R::Mistake, "'kaarten.txt'"},
        {{"--", "-h"}, R::Mistake, "'-h'"},
        {{"-platform"}, R::Mistake, "'-platform' mist een waarde"},
        {{"--help=ja"}, R::Mistake, "'--help' neemt geen waarde"},
    };
    for (const Case& c : cases) {
        const QString line = c.arguments.join(QLatin1Char(' '));
        const CommandLineAnswer answer = read(c.arguments);
        EXPECT_EQ(answer.request, c.request) << line.toStdString();
        if (c.mentions) {
            EXPECT_TRUE(answer.text.contains(QLatin1String(c.mentions)))
                << line.toStdString() << " answered: " << answer.text.toStdString();
        }
        if (c.request == R::Mistake) {
            EXPECT_EQ(answer.text.count(QLatin1Char('\n')), 1) << "not one line: " << answer.text.toStdString();
        }
    }
}

struct Outcome {
    int status = -1;  // -1: crashed or still running after the timeout
    QByteArray out;
    QByteArray err;
};

using Settings = std::vector<std::pair<const char*, const char*>>;

// The built program, with or without a platform to open windows on, its
// output diverted by the shell (redirect, such as ">&-"), settings added to
// its environment.
Outcome runGame(const QStringList& arguments, const char* platform, const char* redirect = nullptr,
                const Settings& settings = {})
{
    constexpr int kTimeoutMs = 20000;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "QT_FONT_DPI"})
        environment.remove(QLatin1String(name));
    if (platform)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QLatin1String(platform));
    for (const auto& [name, value] : settings)
        environment.insert(QLatin1String(name), QLatin1String(value));
    QProcess game;
    game.setProcessEnvironment(environment);
    if (redirect)
        game.start(QStringLiteral("sh"), QStringList{QStringLiteral("-c"),
                                                     QStringLiteral("exec \"$0\" \"$@\" ") + QLatin1String(redirect),
                                                     QStringLiteral(KOPPELO_PROGRAM)} +
                                             arguments);
    else
        game.start(QStringLiteral(KOPPELO_PROGRAM), arguments);
    Outcome run;
    if (!game.waitForFinished(kTimeoutMs)) {
        game.kill();
        game.waitForFinished();
        return run;
    }
    if (game.exitStatus() == QProcess::NormalExit)
        run.status = game.exitCode();
    run.out = game.readAllStandardOutput();
    run.err = game.readAllStandardError();
    return run;
}

// Offscreen, a program that went on to start the game would still be
// running at the timeout.
TEST(CommandLine, ProgramAnswersBeforeOpeningAnyWindow)
{
    for (const char* platform : {static_cast<const char*>(nullptr), "offscreen"}) {
        const std::string where = platform ? platform : "no display";
        const Outcome help = runGame({QStringLiteral("--help")}, platform);
        EXPECT_EQ(help.status, 0) << where;
        EXPECT_TRUE(help.out.startsWith("Gebruik: koppelo")) << where << ": " << help.out.toStdString();
        EXPECT_TRUE(help.err.isEmpty()) << where << ": " << help.err.toStdString();

        const Outcome version = runGame({QStringLiteral("-v")}, platform);
        EXPECT_EQ(version.status, 0) << where;
        EXPECT_TRUE(version.out.startsWith(QByteArray("koppelo (Vogel-Koppelo) ") + kVersionNumber + '\n')) << where;

        const Outcome bogus = runGame({QStringLiteral("--bogus")}, platform);
        EXPECT_EQ(bogus.status, 2) << where;
        EXPECT_TRUE(bogus.out.isEmpty()) << where;
        EXPECT_EQ(bogus.err, "koppelo: onbekende optie '--bogus' (zie koppelo --help)\n") << where;
    }
}

// Help or version that cannot be written is a failure, said on standard
// error: to a full disk, and to an output the caller closed.
TEST(CommandLine, AnswerThatCannotBeWrittenFails)
{
    for (const char* redirect : {"> /dev/full", ">&-"}) {
        for (const char* option : {"--help", "--version"}) {
            const Outcome run = runGame({QLatin1String(option)}, nullptr, redirect);
            const std::string where = std::string(option) + " " + redirect;
            EXPECT_EQ(run.status, 1) << where;
            EXPECT_TRUE(run.err.startsWith("koppelo: kan niet naar de standaarduitvoer schrijven: ")) << where;
            EXPECT_EQ(run.err.count('\n'), 1) << where << ": " << run.err.toStdString();
        }
    }
}

// Scale settings at which the window would have no size, or one nobody can
// use, end the program with one line naming them; offscreen, a program that
// went on would still be running at the timeout.
TEST(StartUp, RefusesScalesNoUsableWindowCanBeShownAt)
{
    const std::pair<const char*, const char*> settings[] = {
        {"QT_SCALE_FACTOR", "0"},  {"QT_SCALE_FACTOR", "nan"}, {"QT_SCALE_FACTOR", "inf"},
        {"QT_SCALE_FACTOR", "1e9"}, {"QT_SCALE_FACTOR", "-1"}, {"QT_FONT_DPI", "1"},
    };
    // Qt's own warning about a missing one would be a second line.
    const QTemporaryDir runtimeDir;
    const QByteArray runtimePath = runtimeDir.path().toLocal8Bit();
    for (const auto& [name, value] : settings) {
        const std::string setting = std::string(name) + "=" + value;
        const Outcome run =
            runGame({}, "offscreen", nullptr, {{name, value}, {"XDG_RUNTIME_DIR", runtimePath.constData()}});
        EXPECT_EQ(run.status, 1) << setting;
        EXPECT_TRUE(run.err.startsWith("koppelo: het venster kan niet getoond worden op schaal ")) << setting;
        EXPECT_TRUE(run.err.contains(setting.c_str())) << setting << ": " << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << setting << ": " << run.err.toStdString();
    }
}

// The scale is the screen's pixel ratio times its font density over 96 dpi.
TEST(StartUp, ScaleCheckTakesEveryUsableScale)
{
    struct Screen {
        double devicePixelRatio, logicalDpi;
        bool usable;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Screen screens[] = {
        {1, 96, true},   {2, 96, true},    {1, 120, true},  {2, 48, true},   {0.5, 96, true},  {8, 96, true},
        {1, 47, false},  {8.5, 96, false}, {4, 200, false}, {1, 1, false},   {0, 96, false},   {-1, 96, false},
        {nan, 96, false}, {inf, 96, false}, {1, nan, false},
    };
    for (const Screen& screen : screens) {
        const std::optional<QString> refusal = unusableScale(screen.devicePixelRatio, screen.logicalDpi, QString());
        EXPECT_EQ(!refusal, screen.usable) << screen.devicePixelRatio << " x " << screen.logicalDpi << " dpi";
    }
}

}  // namespace
}  // namespace koppelo::app::test
