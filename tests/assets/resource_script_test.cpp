// The resource script through the MinGW resource compiler; a missing compiler fails, as the check is the point.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <array>
#include <string>

#include "assets/assets.h"
#include "res_file.h"

namespace koppelo::assets::test {
namespace {

constexpr std::uint16_t kRtIcon = 3, kRtGroupIcon = 14, kRtVersion = 16;
constexpr std::uint16_t kNeutral = 0, kEnglishUs = 1033;
constexpr std::uint16_t kGroupId = 1, kVersionId = 1;
constexpr std::array<std::uint16_t, 2> kIconIds{30001, 30002};  // the window icon's images, in order
constexpr int kCompileTimeoutMs = 60000;

struct Compiled {
    std::string failure;  // empty when the compile worked
    std::vector<ResEntry> entries;

    const ResEntry* find(std::uint16_t type, std::uint16_t name) const
    {
        for (const ResEntry& entry : entries)
            if (entry.type == type && entry.name == name)
                return &entry;
        return nullptr;
    }
};

Compiled compileResourceScript()
{
    QTemporaryDir dir;
    const QString res = dir.filePath(QStringLiteral("koppelo.res"));
    QProcess windres;
    // No MinGW C compiler is needed: the host compiler preprocesses.
    windres.start(QStringLiteral(KOPPELO_WINDRES), {"--preprocessor=" KOPPELO_RC_PREPROCESSOR, "--preprocessor-arg=-E",
                                                    "--preprocessor-arg=-xc", "--preprocessor-arg=-DRC_INVOKED", "-J", "rc",
                                                    "-O", "res", "-i", KOPPELO_WINDOWS_RC, "-o", res});
    QFile file(res);
    if (!windres.waitForFinished(kCompileTimeoutMs) || windres.exitStatus() != QProcess::NormalExit ||
        windres.exitCode() != 0 || !file.open(QIODevice::ReadOnly))
        return {KOPPELO_WINDRES " (Debian package binutils-mingw-w64-x86-64) failed: " +
                    windres.errorString().toStdString() + "\n" + windres.readAllStandardError().toStdString(),
                {}};
    return {{}, readResFile(file.readAll())};
}

// The group repeats the icon file's header and directory, each entry ending in its resource id, not an offset.
TEST(CompiledResources, HoldTheWindowIconsImagesTheirGroupAndTheVersionRecord)
{
    const Compiled res = compileResourceScript();
    ASSERT_EQ(res.failure, "");
    EXPECT_EQ(res.entries.size(), kIconIds.size() + 2);  // and the version record
    const QByteArray ico = embeddedFile(File::WindowIcon);
    const ResEntry* group = res.find(kRtGroupIcon, kGroupId);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->language, kNeutral);
    ASSERT_EQ(group->data.size(), 6 + 14 * qsizetype{kIconIds.size()});
    EXPECT_TRUE(group->data.left(6) == ico.left(6));
    for (std::size_t i = 0; i < kIconIds.size(); ++i) {
        SCOPED_TRACE("RT_ICON " + std::to_string(kIconIds[i]));
        const qsizetype inIco = 6 + 16 * static_cast<qsizetype>(i), inGroup = 6 + 14 * static_cast<qsizetype>(i);
        EXPECT_TRUE(group->data.mid(inGroup, 12) == ico.mid(inIco, 12));
        EXPECT_EQ(u16At(group->data, inGroup + 12), kIconIds[i]);
        const ResEntry* icon = res.find(kRtIcon, kIconIds[i]);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->language, kNeutral);
        EXPECT_TRUE(icon->data == ico.mid(u32At(ico, inIco + 12), u32At(ico, inIco + 8)));
    }

    const ResEntry* version = res.find(kRtVersion, kVersionId);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->language, kEnglishUs);
    const std::vector<VersionBlock> blocks = readVersionRecord(version->data);
    const struct {
        int depth;
        const char* key;
        const char* text;  // for the strings; nullptr: any non-empty text
    } expected[] = {
        {0, "VS_VERSION_INFO", nullptr}, {1, "VarFileInfo", nullptr},  {2, "Translation", nullptr},
        {1, "StringFileInfo", nullptr},  {2, "040904B0", nullptr},     {3, "CompanyName", nullptr},
        {3, "ProductName", "Koppelo"},   {3, "FileVersion", "1.00"},   {3, "ProductVersion", "1.00"},
        {3, "InternalName", "Koppelo"},  {3, "OriginalFilename", "Koppelo.exe"},
    };
    constexpr std::size_t kFirstString = 5;
    ASSERT_EQ(blocks.size(), std::size(expected));
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const VersionBlock& block = blocks[i];
        SCOPED_TRACE(expected[i].key);
        EXPECT_EQ(block.depth, expected[i].depth);
        EXPECT_EQ(block.key.toStdString(), expected[i].key);
        if (i < kFirstString)
            continue;
        EXPECT_EQ(block.type, 1);
        qsizetype end = 0;
        const std::string text = utf16At(block.value, end).toStdString();
        if (expected[i].text)
            EXPECT_EQ(text, expected[i].text);
        else
            EXPECT_FALSE(text.empty());
        // The length counts the terminating NUL, which is stored last.
        EXPECT_EQ(block.valueLength, text.size() + 1);
        EXPECT_EQ(end, block.value.size());
    }

    const VersionBlock& root = blocks[0];
    EXPECT_EQ(root.type, 0);
    ASSERT_EQ(root.valueLength, 52);
    // Signature and structure version; file and product version 1.00, each as high and low half; no flags;
    // 32-bit Windows; an application; no subtype and no date.
    constexpr std::array<std::uint32_t, 13> kFixedPart{0xFEEF04BD, 0x00010000, 0x00010000, 0, 0x00010000, 0, 0,
                                                       0,          4,          1,          0, 0,          0};
    for (std::size_t i = 0; i < kFixedPart.size(); ++i)
        EXPECT_EQ(u32At(root.value, 4 * static_cast<qsizetype>(i)), kFixedPart[i]) << "fixed field " << i;
    const VersionBlock& translation = blocks[2];
    EXPECT_EQ(translation.type, 0);
    ASSERT_EQ(translation.valueLength, 4);
    EXPECT_EQ(fieldsAt(translation.value, 0, std::array{2, 2}), (std::array<std::int64_t, 2>{0x0409, 0x04B0}));  // US English, Unicode
}

}  // namespace
}  // namespace koppelo::assets::test
