#include "res_file.h"

#include <stdexcept>

#include "le_bytes.h"

namespace koppelo::assets::test {

namespace {

constexpr std::uint16_t kNumericMarker = 0xFFFF;
constexpr std::uint16_t kTextType = 1;
constexpr qsizetype kNodeHeaderSize = 6;

qsizetype align4(qsizetype at)
{
    return (at + 3) / 4 * 4;
}

std::uint16_t numericId(const QByteArray& file, qsizetype& at)
{
    if (u16At(file, at) != kNumericMarker)
        throw std::runtime_error("named resources are not expected");
    const std::uint16_t id = u16At(file, at + 2);
    at += 4;
    return id;
}

QString utf16Key(const QByteArray& data, qsizetype& at)
{
    QString key;
    for (std::uint16_t unit = u16At(data, at); unit != 0; unit = u16At(data, at)) {
        key.append(QChar(unit));
        at += 2;
    }
    at += 2;  // the NUL
    return key;
}

VersionNode readNode(const QByteArray& data, qsizetype start)
{
    VersionNode node;
    const std::uint16_t length = u16At(data, start);
    node.valueLength = u16At(data, start + 2);
    node.type = u16At(data, start + 4);
    qsizetype at = start + kNodeHeaderSize;
    node.key = utf16Key(data, at);
    at = align4(at);
    const qsizetype valueBytes = node.type == kTextType ? 2 * qsizetype{node.valueLength} : node.valueLength;
    if (at + valueBytes > start + length)
        throw std::runtime_error("version value overruns its block");
    node.value = data.mid(at, valueBytes);
    at = align4(at + valueBytes);
    while (at < start + length) {
        node.children.push_back(readNode(data, at));
        const std::uint16_t childLength = u16At(data, at);
        if (childLength == 0)
            throw std::runtime_error("empty version block");
        at = align4(at + childLength);
    }
    return node;
}

}  // namespace

std::vector<ResEntry> readResFile(const QByteArray& file)
{
    std::vector<ResEntry> entries;
    qsizetype entry = 0;
    while (entry < file.size()) {
        const std::uint32_t dataSize = u32At(file, entry);
        const std::uint32_t headerSize = u32At(file, entry + 4);
        qsizetype at = entry + 8;
        ResEntry res;
        res.type = numericId(file, at);
        res.name = numericId(file, at);
        at = align4(at);
        res.language = u16At(file, at + 6);  // after DataVersion and MemoryFlags
        if (entry + qsizetype{headerSize} + dataSize > file.size())
            throw std::runtime_error("resource data overruns the file");
        res.data = file.mid(entry + headerSize, dataSize);
        if (dataSize != 0 || res.type != 0)
            entries.push_back(res);
        entry = align4(entry + headerSize + dataSize);
    }
    return entries;
}

VersionNode readVersionRecord(const QByteArray& data)
{
    return readNode(data, 0);
}

QString VersionNode::text() const
{
    QString result;
    for (qsizetype at = 0; at + 1 < value.size(); at += 2) {
        const std::uint16_t unit = u16At(value, at);
        if (unit == 0)
            break;
        result.append(QChar(unit));
    }
    return result;
}

}  // namespace koppelo::assets::test
