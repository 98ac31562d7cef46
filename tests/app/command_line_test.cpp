// The program around the window: its arguments, answers without a display, refused scales and depths, missing fonts.
#include <gtest/gtest.h>

#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/font_check.h"
#include "app/screen_check.h"
#include "app/version.h"

namespace koppelo::app::test {
namespace {

TEST(CommandLine, SortsEveryKindOfArgument)
{
    using R = CommandLineRequest;
    const struct {
        QStringList arguments;
        R request;
        const char* mentions;  // a word the answer must contain, or nullptr
    } cases[] = {
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
        {{"--version"}, R::Version, "/usr/share/doc/koppelo/CREDITS.md"},
        {{"--bogus"}, R::Mistake, "'--bogus'"},
        {{"-x", "--help"}, R::Mistake, "'-x'"},
        {{"-style", "fusion", "-q=1"}, R::Mistake, "'-q=1'"},
        {{"kaarten.txt"}, R::Mistake, "'kaarten.txt'"},
        {{"--", "-h"}, R::Mistake, "'-h'"},
        {{"-platform"}, R::Mistake, "'-platform' mist een waarde"},
        {{"--help=ja"}, R::Mistake, "'--help' neemt geen waarde"},
    };
    for (const auto& c : cases) {
        const QString line = c.arguments.join(QLatin1Char(' '));
        const CommandLineAnswer answer = readCommandLine(QStringList{QStringLiteral("koppelo")} + c.arguments);
        EXPECT_EQ(answer.request, c.request) << line.toStdString();
        EXPECT_TRUE(!c.mentions || answer.text.contains(QLatin1String(c.mentions)))
            << line.toStdString() << " answered: " << answer.text.toStdString();
        EXPECT_TRUE(c.request != R::Mistake || answer.text.count(QLatin1Char('\n')) == 1)
            << "not one line: " << answer.text.toStdString();
    }
}

struct Outcome {
    int status = -1;  // -1: crashed or still running after the timeout
    QByteArray out, err;
};

using Settings = std::vector<std::pair<const char*, const char*>>;

// The built program, its output diverted by the shell (redirect, such as ">&-").
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
    const QString program = QStringLiteral(KOPPELO_PROGRAM);
    const QString exec = QStringLiteral("exec \"$0\" \"$@\" ") + QLatin1String(redirect);
    redirect ? game.start(QStringLiteral("sh"), QStringList{QStringLiteral("-c"), exec, program} + arguments)
             : game.start(program, arguments);
    if (!game.waitForFinished(kTimeoutMs)) {
        game.kill();
        game.waitForFinished();
        return {};
    }
    return {game.exitStatus() == QProcess::NormalExit ? game.exitCode() : -1, game.readAllStandardOutput(),
            game.readAllStandardError()};
}

// Offscreen, a program that went on to start the game would still be running at the timeout.
TEST(CommandLine, ProgramAnswersBeforeOpeningAnyWindow)
{
    const struct {
        const char* option;
        int status;
        QByteArray out, err;  // how the output starts (empty: there is none), all the error output
    } answers[] = {
        {"--help", 0, "Gebruik: koppelo", ""},
        {"-v", 0, QByteArray("koppelo (Vogel-Koppelo) ") + kVersionNumber + '\n', ""},
        {"--bogus", 2, "", "koppelo: onbekende optie '--bogus' (zie koppelo --help)\n"},
    };
    for (const char* platform : {static_cast<const char*>(nullptr), "offscreen"})
        for (const auto& answer : answers) {
            const std::string where = std::string(platform ? platform : "no display") + " " + answer.option;
            const Outcome run = runGame({QLatin1String(answer.option)}, platform);
            EXPECT_EQ(run.status, answer.status) << where;
            EXPECT_TRUE(run.out.startsWith(answer.out) && run.out.isEmpty() == answer.out.isEmpty()) << where;
            EXPECT_EQ(run.err, answer.err) << where;
        }
}

// To a full disk and to an output the caller closed, said on standard error.
TEST(CommandLine, AnswerThatCannotBeWrittenFails)
{
    for (const char* redirect : {"> /dev/full", ">&-"})
        for (const char* option : {"--help", "--version"}) {
            const Outcome run = runGame({QLatin1String(option)}, nullptr, redirect);
            const std::string where = std::string(option) + " " + redirect;
            EXPECT_EQ(run.status, 1) << where;
            EXPECT_TRUE(run.err.startsWith("koppelo: kan niet naar de standaarduitvoer schrijven: ")) << where;
            EXPECT_EQ(run.err.count('\n'), 1) << where << ": " << run.err.toStdString();
        }
}

// Refused in one line naming the settings and the scale, in digits that never read as an allowed one.
TEST(StartUp, RefusesScalesNoUsableWindowCanBeShownAt)
{
    const struct Refused {
        Settings settings;
        const char* shown;
    } cases[] = {
        {{{"QT_SCALE_FACTOR", "0"}}, "op schaal 0 ("},
        {{{"QT_SCALE_FACTOR", "nan"}}, "op schaal "},
        {{{"QT_SCALE_FACTOR", "inf"}}, "op schaal "},
        {{{"QT_SCALE_FACTOR", "1e9"}}, "op schaal 1E+09 ("},
        {{{"QT_SCALE_FACTOR", "-1"}}, "op schaal -1 ("},
        {{{"QT_FONT_DPI", "1"}}, "op schaal 0,0104 ("},
        {{{"QT_SCALE_FACTOR", "8.0001"}}, "op schaal 8,0001 ("},
        {{{"QT_SCALE_FACTOR", "0.4999"}}, "op schaal 0,4999 ("},
        // Without high-DPI scaling Qt divides the layout's density by the ratio.
        {{{"QT_ENABLE_HIGHDPI_SCALING", "0"}, {"QT_SCREEN_SCALE_FACTORS", "1e9"}}, "met zijn indeling op schaal 1E-09 ("},
        {{{"QT_ENABLE_HIGHDPI_SCALING", "0"}, {"QT_SCREEN_SCALE_FACTORS", "100"}}, "met zijn indeling op schaal 0,01 ("},
    };
    // Qt's own warning about a missing one would be a second line.
    const QTemporaryDir runtimeDir;
    const QByteArray runtimePath = runtimeDir.path().toLocal8Bit();
    for (const Refused& refused : cases) {
        Settings settings = refused.settings;
        std::string named;
        for (const auto& [name, value] : settings)
            named += std::string(name) + "=" + value + " ";
        settings.emplace_back("XDG_RUNTIME_DIR", runtimePath.constData());
        const Outcome run = runGame({}, "offscreen", nullptr, settings);
        EXPECT_EQ(run.status, 1) << named;
        EXPECT_TRUE(run.err.startsWith(QByteArray("koppelo: het venster kan niet getoond worden ") + refused.shown))
            << named << ": " << run.err.toStdString();
        for (const auto& [name, value] : refused.settings)
            EXPECT_TRUE(run.err.contains((std::string(name) + "=" + value).c_str())) << named << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << named << ": " << run.err.toStdString();
    }
}

// The scale is the pixel ratio times the font density over 96 dpi; the layout's alone must be usable too.
TEST(StartUp, ScaleCheckTakesEveryUsableScale)
{
    struct Screen {
        double devicePixelRatio, logicalDpi;
        bool usable;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const Screen screens[] = {
        {1, 96, true},   {2, 96, true},    {1, 120, true},  {2, 48, true},   {0.5, 96, true},  {8, 96, true},
        {0.5, 192, true}, {1, 47, false},  {8.5, 96, false}, {4, 200, false}, {1, 1, false},   {0, 96, false},
        {-1, 96, false}, {nan, 96, false}, {inf, 96, false}, {1, nan, false}, {100, 0.96, false},
        {1e9, 9.6e-8, false}, {8.0001, 96, false}, {1, 47.99999, false}, {8.000000001, 96, false},
    };
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    for (const Screen& screen : screens) {
        const std::string where = std::to_string(screen.devicePixelRatio) + " x " + std::to_string(screen.logicalDpi);
        const std::optional<QString> refusal = unusableScale(screen.devicePixelRatio, screen.logicalDpi, QString());
        EXPECT_EQ(!refusal, screen.usable) << where << " dpi";
        if (!refusal)
            continue;
        bool read = false;
        const double shown = dutch.toDouble(refusal->section(QStringLiteral("schaal "), 1).section(QLatin1Char(' '), 0, 0), &read);
        EXPECT_FALSE(read && shown >= 0.5 && shown <= 8) << where << ": " << refusal->toStdString();
    }
}

// Qt paints from 15 bits a pixel up; at 8 it leaves the window black.
TEST(StartUp, DepthCheckRefusesPaletteScreens)
{
    for (const int bits : {1, 4, 8})
        EXPECT_TRUE(unusableDepth(bits).value_or(QString()).contains(QStringLiteral("%1 bits per beeldpunt").arg(bits)))
            << bits;
    for (const int bits : {15, 16, 24, 30, 32})
        EXPECT_FALSE(unusableDepth(bits)) << bits;
}

// Arial or a font made to its measures, and some font for the menus; Qt's generic families have none behind them.
TEST(StartUp, FontCheckNamesWhatIsMissingAndWhereItComesFrom)
{
    const QStringList generic{QStringLiteral("Monospace"), QStringLiteral("Sans Serif"), QStringLiteral("Serif")};
    EXPECT_FALSE(missingFonts(generic + QStringList{QStringLiteral("Liberation Sans")}));
    EXPECT_FALSE(missingFonts(generic + QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("arimo")}));
    EXPECT_FALSE(missingFonts({QStringLiteral("Arial")}));
    const QString other = missingFonts(generic + QStringList{QStringLiteral("DejaVu Sans")}).value_or(QString());
    EXPECT_TRUE(other.startsWith(QStringLiteral("koppelo: lettertype Arial ontbreekt"))) << other.toStdString();
    const QString none = missingFonts(generic).value_or(QString());
    EXPECT_TRUE(none.startsWith(QStringLiteral("koppelo: er zijn geen lettertypen"))) << none.toStdString();
    for (const QString& line : {other, none}) {
        EXPECT_TRUE(line.contains(QStringLiteral("fonts-liberation"))) << line.toStdString();
        EXPECT_FALSE(line.contains(QLatin1Char('\n')));
    }
}

}  // namespace
}  // namespace koppelo::app::test
