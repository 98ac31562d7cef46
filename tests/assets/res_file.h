// Readers for a compiled Windows resource file (.res) and its version record; numeric types and names only.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "le_bytes.h"

namespace koppelo::assets::test {

struct ResEntry {
    std::uint16_t type, name, language;
    QByteArray data;
};

// One block of a version record: VS_VERSION_INFO, StringFileInfo, a string...
struct VersionBlock {
    int depth;  // 0 for the record itself, 1 for its children...
    QString key;
    std::uint16_t valueLength;  // in characters for text, bytes otherwise
    std::uint16_t type;         // 1 text, 0 binary
    QByteArray value;
};

inline qsizetype align4(qsizetype at) { return (at + 3) / 4 * 4; }

// UTF-16 up to its NUL; moves `at` past the NUL.
inline QString utf16At(const QByteArray& data, qsizetype& at)
{
    QString text;
    for (std::uint16_t unit = u16At(data, at); unit != 0; unit = u16At(data, at += 2))
        text.append(QChar(unit));
    at += 2;
    return text;
}

// Every resource in file order, without the empty leading marker entry.
inline std::vector<ResEntry> readResFile(const QByteArray& file)
{
    std::vector<ResEntry> entries;
    for (qsizetype entry = 0; entry < file.size();) {
        const std::uint32_t dataSize = u32At(file, entry), headerSize = u32At(file, entry + 4);
        // Type and name are each 0xFFFF and the id; DataVersion and MemoryFlags precede the language.
        ResEntry res{u16At(file, entry + 10), u16At(file, entry + 14), u16At(file, entry + 22),
                     file.mid(entry + headerSize, dataSize)};
        if (dataSize != 0 || res.type != 0)
            entries.push_back(res);
        entry = align4(entry + headerSize + dataSize);
    }
    return entries;
}

// The blocks of a version record in file order, each followed by its children.
inline std::vector<VersionBlock> readVersionRecord(const QByteArray& data, qsizetype start = 0, int depth = 0)
{
    constexpr std::uint16_t kTextType = 1;
    VersionBlock block{depth, {}, u16At(data, start + 2), u16At(data, start + 4), {}};
    qsizetype at = start + 6;
    block.key = utf16At(data, at);
    at = align4(at);
    const qsizetype valueBytes = block.type == kTextType ? 2 * qsizetype{block.valueLength} : block.valueLength;
    block.value = data.mid(at, valueBytes);
    std::vector<VersionBlock> blocks{block};
    for (at = align4(at + valueBytes); at < start + u16At(data, start); at = align4(at + u16At(data, at))) {
        if (u16At(data, at) == 0)
            throw std::runtime_error("empty version block");
        for (VersionBlock& child : readVersionRecord(data, at, depth + 1))
            blocks.push_back(std::move(child));
    }
    return blocks;
}

}  // namespace koppelo::assets::test
