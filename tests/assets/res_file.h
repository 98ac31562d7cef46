// Readers for a compiled Windows resource file (.res) and for the version
// record inside it, enough to check what the resource compiler made of the
// program's resource script. Only numeric resource types and names.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace koppelo::assets::test {

struct ResEntry {
    std::uint16_t type;
    std::uint16_t name;
    std::uint16_t language;
    QByteArray data;
};

// Every resource in file order, without the empty leading marker entry.
std::vector<ResEntry> readResFile(const QByteArray& file);

// One block of a version record: VS_VERSIONINFO, StringFileInfo, a string...
struct VersionNode {
    QString key;
    std::uint16_t valueLength;  // in characters for text, bytes otherwise
    std::uint16_t type;         // 1 text, 0 binary
    QByteArray value;
    std::vector<VersionNode> children;

    // A text value without its terminating NUL.
    QString text() const;
};

VersionNode readVersionRecord(const QByteArray& data);

}  // namespace koppelo::assets::test
