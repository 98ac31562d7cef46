// Little-endian field readers; an offset past the end throws, so a truncated file fails the test loudly.
#pragma once

#include <QByteArray>

#include <array>
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

// Consecutive fields of 1, 2 or 4 bytes from `at`, each read unsigned.
template <std::size_t N>
std::array<std::int64_t, N> fieldsAt(const QByteArray& bytes, qsizetype at, const std::array<int, N>& widths)
{
    std::array<std::int64_t, N> fields{};
    for (std::size_t i = 0; i < N; at += widths[i++])
        fields[i] = widths[i] == 1 ? u8At(bytes, at) : widths[i] == 2 ? u16At(bytes, at) : std::int64_t{u32At(bytes, at)};
    return fields;
}

}  // namespace koppelo::assets::test
