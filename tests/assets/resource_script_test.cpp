// The program file's resources: compile the committed resource script with
// the MinGW resource compiler and check what lands in the .res, field by
// field. A missing compiler is a failure, not a skip: the check is the point.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "assets/assets.h"
#include "le_bytes.h"
#include "res_file.h"

namespace koppelo::assets::test {
namespace {

constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtGroupIcon = 14;
constexpr std::uint16_t kRtVersion = 16;
constexpr std::uint16_t kNeutral = 0;
constexpr std::uint16_t kEnglishUs = 1033;
constexpr int kCompileTimeoutMs = 60000;

struct IconResource {
    std::uint16_t id;
    int side;
    std::uint32_t bytes;
    qsizetype icoOffset;  // where the same image sits in the window icon
};
constexpr std::array<IconResource, 2> kIcons{{
    {30001, 16, 872, 38},
    {30002, 32, 3240, 910},
}};

struct FixedField {
    qsizetype offset;
    std::uint32_t value;
    const char* what;
};
constexpr std::array<FixedField, 13> kFixedPart{{
    {0, 0xFEEF04BD, "signature"},
    {4, 0x00010000, "structure version"},
    {8, 0x00010000, "file version, high half"},
    {12, 0, "file version, low half"},
    {16, 0x00010000, "product version, high half"},
    {20, 0, "product version, low half"},
    {24, 0, "flags mask"},
    {28, 0, "flags"},
    {32, 4, "operating system"},
    {36, 1, "file type"},
    {40, 0, "file subtype"},
    {44, 0, "file date, high half"},
    {48, 0, "file date, low half"},
}};
constexpr std::uint16_t kFixedPartSize = 52;

struct VersionString {
    const char* key;
    std::optional<std::string_view> value;  // empty: any non-empty text
};
constexpr std::array<VersionString, 6> kStrings{{
    {"CompanyName", std::nullopt},
    {"ProductName", "Koppelo"},
    {"FileVersion", "1.00"},
    {"ProductVersion", "1.00"},
    {"InternalName", "Koppelo"},
    {"OriginalFilename", "Koppelo.exe"},
}};

// Compiles once per test program; every test then fails on its own if the
// compile did (a failed suite set-up alone would only mark them skipped).
class CompiledResources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        QTemporaryDir dir;
        const QString res = dir.filePath(QStringLiteral("koppelo.res"));
        QProcess windres;
        // No MinGW C compiler is needed: the host compiler preprocesses.
        windres.start(QStringLiteral(KOPPELO_WINDRES),
                      {QStringLiteral("--preprocessor=" KOPPELO_RC_PREPROCESSOR), QStringLiteral("--preprocessor-arg=-E"),
                       QStringLiteral("--preprocessor-arg=-xc"), QStringLiteral("--preprocessor-arg=-DRC_INVOKED"),
                       QStringLiteral("-J"), QStringLiteral("rc"), QStringLiteral("-O"), QStringLiteral("res"),
                       QStringLiteral("-i"), QStringLiteral(KOPPELO_WINDOWS_RC), QStringLiteral("-o"), res});
        if (!windres.waitForStarted()) {
            failure_ = KOPPELO_WINDRES " could not be started (Debian package binutils-mingw-w64-x86-64): " +
                       windres.errorString().toStdString();
            return;
        }
        if (!windres.waitForFinished(kCompileTimeoutMs) || windres.exitStatus() != QProcess::NormalExit ||
            windres.exitCode() != 0) {
            failure_ = "windres failed: " + windres.readAllStandardError().toStdString();
            return;
        }
        QFile file(res);
        if (!file.open(QIODevice::ReadOnly)) {
            failure_ = "no .res written";
            return;
        }
        entries_ = readResFile(file.readAll());
    }

    void SetUp() override
    {
        ASSERT_EQ(failure_, "");
        ASSERT_FALSE(entries_.empty());
    }

    static const ResEntry* find(std::uint16_t type, std::uint16_t name)
    {
        for (const ResEntry& entry : entries_) {
            if (entry.type == type && entry.name == name)
                return &entry;
        }
        return nullptr;
    }

    static inline std::string failure_;
    static inline std::vector<ResEntry> entries_;
};

TEST_F(CompiledResources, HoldExactlyTheIconsTheGroupAndTheVersion)
{
    EXPECT_EQ(entries_.size(), kIcons.size() + 2);
    for (const IconResource& icon : kIcons) {
        const ResEntry* entry = find(kRtIcon, icon.id);
        ASSERT_NE(entry, nullptr) << "RT_ICON " << icon.id;
        EXPECT_EQ(entry->language, kNeutral);
    }
    const ResEntry* group = find(kRtGroupIcon, 1);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->language, kNeutral);
    const ResEntry* version = find(kRtVersion, 1);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->language, kEnglishUs);
}

TEST_F(CompiledResources, IconsAreTheWindowIconsImages)
{
    const QByteArray ico = embeddedFile(File::WindowIcon);
    for (const IconResource& icon : kIcons) {
        const ResEntry* entry = find(kRtIcon, icon.id);
        ASSERT_NE(entry, nullptr) << "RT_ICON " << icon.id;
        EXPECT_EQ(entry->data.size(), icon.bytes);
        EXPECT_TRUE(entry->data == ico.mid(icon.icoOffset, icon.bytes)) << "RT_ICON " << icon.id;
    }
}

TEST_F(CompiledResources, GroupListsBothIconsById)
{
    const ResEntry* group = find(kRtGroupIcon, 1);
    ASSERT_NE(group, nullptr);
    const QByteArray& data = group->data;
    ASSERT_EQ(data.size(), 6 + 14 * qsizetype{kIcons.size()});
    EXPECT_EQ(u16At(data, 0), 0);
    EXPECT_EQ(u16At(data, 2), 1);
    EXPECT_EQ(u16At(data, 4), kIcons.size());
    for (std::size_t i = 0; i < kIcons.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i + 1));
        const IconResource& icon = kIcons[i];
        const qsizetype at = 6 + 14 * static_cast<qsizetype>(i);
        EXPECT_EQ(u8At(data, at), icon.side);
        EXPECT_EQ(u8At(data, at + 1), icon.side);
        EXPECT_EQ(u8At(data, at + 2), 0);
        EXPECT_EQ(u8At(data, at + 3), 0);
        EXPECT_EQ(u16At(data, at + 4), 1);
        EXPECT_EQ(u16At(data, at + 6), 24);
        EXPECT_EQ(u32At(data, at + 8), icon.bytes);
        EXPECT_EQ(u16At(data, at + 12), icon.id);
    }
}

TEST_F(CompiledResources, VersionRecordFixedPart)
{
    const ResEntry* version = find(kRtVersion, 1);
    ASSERT_NE(version, nullptr);
    const VersionNode root = readVersionRecord(version->data);
    EXPECT_EQ(root.key, QStringLiteral("VS_VERSION_INFO"));
    EXPECT_EQ(root.type, 0);
    ASSERT_EQ(root.valueLength, kFixedPartSize);
    for (const FixedField& field : kFixedPart)
        EXPECT_EQ(u32At(root.value, field.offset), field.value) << field.what;
}

TEST_F(CompiledResources, VersionRecordTranslationThenStrings)
{
    const ResEntry* version = find(kRtVersion, 1);
    ASSERT_NE(version, nullptr);
    const VersionNode root = readVersionRecord(version->data);
    ASSERT_EQ(root.children.size(), 2u);

    const VersionNode& varInfo = root.children[0];
    EXPECT_EQ(varInfo.key, QStringLiteral("VarFileInfo"));
    ASSERT_EQ(varInfo.children.size(), 1u);
    const VersionNode& translation = varInfo.children[0];
    EXPECT_EQ(translation.key, QStringLiteral("Translation"));
    EXPECT_EQ(translation.type, 0);
    ASSERT_EQ(translation.valueLength, 4);
    EXPECT_EQ(u16At(translation.value, 0), 0x0409);
    EXPECT_EQ(u16At(translation.value, 2), 0x04B0);

    const VersionNode& stringInfo = root.children[1];
    EXPECT_EQ(stringInfo.key, QStringLiteral("StringFileInfo"));
    ASSERT_EQ(stringInfo.children.size(), 1u);
    const VersionNode& table = stringInfo.children[0];
    EXPECT_EQ(table.key, QStringLiteral("040904B0"));
    ASSERT_EQ(table.children.size(), kStrings.size());
    for (std::size_t i = 0; i < kStrings.size(); ++i) {
        const VersionNode& entry = table.children[i];
        const VersionString& expected = kStrings[i];
        SCOPED_TRACE(expected.key);
        EXPECT_EQ(entry.key, QString::fromLatin1(expected.key));
        EXPECT_EQ(entry.type, 1);
        const QString text = entry.text();
        if (expected.value)
            EXPECT_EQ(text, QString::fromUtf8(expected.value->data(), static_cast<qsizetype>(expected.value->size())));
        else
            EXPECT_FALSE(text.isEmpty());
        // The length counts the terminating NUL, which is stored.
        EXPECT_EQ(entry.valueLength, text.size() + 1);
        ASSERT_EQ(entry.value.size(), 2 * qsizetype{entry.valueLength});
        EXPECT_EQ(u16At(entry.value, entry.value.size() - 2), 0);
    }
}

}  // namespace
}  // namespace koppelo::assets::test
