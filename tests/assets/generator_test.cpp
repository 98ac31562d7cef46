// The committed assets are exactly what the generator makes from the photographs in a fresh folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <set>
#include <string>

#include "assets/face_catalogue.h"
#include "assets/window_icon_sides.h"

namespace koppelo::assets::test {
namespace {

// The generator's exit code, or -1 when it crashed or hung.
int generate(const QString& sources, const QString& out)
{
    constexpr int kTimeoutMs = 120000;
    QProcess generator;
    generator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    generator.start(QStringLiteral(KOPPELO_ASSETGEN), {sources, out});
    if (!generator.waitForFinished(kTimeoutMs) || generator.exitStatus() != QProcess::NormalExit)
        return -1;
    return generator.exitCode();
}

TEST(AssetGenerator, RebuildsEveryCommittedFileByteForByte)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    ASSERT_EQ(generate(QStringLiteral(KOPPELO_ASSETS_DIR "/source"), out.path()), 0);

    std::set<std::string> expected{"logo.bmp",           "koppelo.ico",           "icons/koppelo-16.png",
                                   "icons/koppelo-32.png", "koppelo.rc",          "resources/icon-16.bin",
                                   "resources/icon-32.bin", "resources/icon-group.bin"};
    for (const int side : {48, 64, 128, 256})
        expected.insert("icons/koppelo-" + std::to_string(side) + ".png");
    for (const int side : kWindowIconSides)
        expected.insert(windowIconFileName(side));
    for (std::size_t face = 0; face < kFaceCount; ++face)
        expected.insert(faceFileName(face));
    std::set<std::string> made;
    const QDir outDir(out.path());
    for (QDirIterator walk(out.path(), QDir::Files, QDirIterator::Subdirectories); walk.hasNext();)
        made.insert(outDir.relativeFilePath(walk.next()).toStdString());
    EXPECT_EQ(made, expected);

    for (const std::string& name : made) {
        QFile committed(QStringLiteral(KOPPELO_ASSETS_DIR "/") + QString::fromStdString(name));
        QFile generated(outDir.filePath(QString::fromStdString(name)));
        ASSERT_TRUE(committed.open(QIODevice::ReadOnly)) << name << " is not committed";
        ASSERT_TRUE(generated.open(QIODevice::ReadOnly)) << name;
        EXPECT_TRUE(committed.readAll() == generated.readAll()) << name << " differs from the generator's";
    }
}

TEST(AssetGenerator, FailsCleanlyWithoutItsPhotographs)
{
    QTemporaryDir empty, out;
    ASSERT_TRUE(empty.isValid() && out.isValid());
    EXPECT_GT(generate(empty.path(), out.path()), 0);
}

}  // namespace
}  // namespace koppelo::assets::test
