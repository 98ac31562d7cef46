// The committed assets are exactly what the generator makes from the
// photographs: run it into a fresh folder and compare every file.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <set>
#include <string>

#include "assets/face_catalogue.h"

namespace koppelo::assets::test {
namespace {

constexpr int kGeneratorTimeoutMs = 120000;

std::set<std::string> expectedOutputs()
{
    std::set<std::string> files{
        "logo.bmp",
        "koppelo.ico",
        "icons/koppelo-16.png",
        "icons/koppelo-32.png",
        "koppelo.rc",
        "resources/icon-16.bin",
        "resources/icon-32.bin",
        "resources/icon-group.bin",
    };
    for (std::size_t face = 0; face < kFaceCount; ++face)
        files.insert(faceFileName(face));
    return files;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

TEST(AssetGenerator, RebuildsEveryCommittedFileByteForByte)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());

    QProcess generator;
    generator.start(QStringLiteral(KOPPELO_ASSETGEN),
                    {QStringLiteral(KOPPELO_ASSETS_DIR "/source"), out.path()});
    ASSERT_TRUE(generator.waitForFinished(kGeneratorTimeoutMs)) << generator.errorString().toStdString();
    ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();

    std::set<std::string> made;
    const QDir outDir(out.path());
    QDirIterator walk(out.path(), QDir::Files, QDirIterator::Subdirectories);
    while (walk.hasNext())
        made.insert(outDir.relativeFilePath(walk.next()).toStdString());
    EXPECT_EQ(made, expectedOutputs());

    for (const std::string& name : made) {
        const QString relative = QString::fromStdString(name);
        const QByteArray committed = contents(QStringLiteral(KOPPELO_ASSETS_DIR "/") + relative);
        EXPECT_FALSE(committed.isEmpty()) << name << " is not committed";
        EXPECT_TRUE(committed == contents(outDir.filePath(relative))) << name << " differs from the generator's";
    }
}

TEST(AssetGenerator, FailsWithoutItsPhotographs)
{
    QTemporaryDir empty;
    QTemporaryDir out;
    ASSERT_TRUE(empty.isValid() && out.isValid());
    QProcess generator;
    generator.start(QStringLiteral(KOPPELO_ASSETGEN), {empty.path(), out.path()});
    ASSERT_TRUE(generator.waitForFinished(kGeneratorTimeoutMs));
    EXPECT_NE(generator.exitCode(), 0);
}

}  // namespace
}  // namespace koppelo::assets::test
