// Little-endian field readers; an offset past the end throws, so a truncated file fails the test loudly.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace koppelo::assets::test {

inline std::uint8_t u8At(const QByteArray& bytes, qsizetype at)
{
    if (at < 0 || at >= bytes.size())
        throw std::out_of_range("read past the end at " + std::to_string(at));
    return static_cast<std::uint8_t>(bytes[at]);
}

inline std::uint16_t u16At(const QByteArray& bytes, qsizetype at)
{
    return static_cast<std::uint16_t>(u8At(bytes, at) | (u8At(bytes, at + 1) << 8));
}

inline std::uint32_t u32At(const QByteArray& bytes, qsizetype at)
{
    return u16At(bytes, at) | (std::uint32_t{u16At(bytes, at + 2)} << 16);
}

}  // namespace koppelo::assets::test
