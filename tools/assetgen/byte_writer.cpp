#include "byte_writer.h"

namespace koppelo::assetgen {

namespace {
constexpr unsigned kByteBits = 8;
constexpr std::uint32_t kByteMask = 0xFF;
}  // namespace

void ByteWriter::u16le(std::uint16_t value)
{
    u8(static_cast<std::uint8_t>(value & kByteMask));
    u8(static_cast<std::uint8_t>(value >> kByteBits));
}

void ByteWriter::u32le(std::uint32_t value)
{
    for (unsigned shift = 0; shift < 4 * kByteBits; shift += kByteBits)
        u8(static_cast<std::uint8_t>((value >> shift) & kByteMask));
}

void ByteWriter::u16be(std::uint16_t value)
{
    u8(static_cast<std::uint8_t>(value >> kByteBits));
    u8(static_cast<std::uint8_t>(value & kByteMask));
}

void ByteWriter::u32be(std::uint32_t value)
{
    for (int shift = 3 * kByteBits; shift >= 0; shift -= kByteBits)
        u8(static_cast<std::uint8_t>((value >> shift) & kByteMask));
}

void ByteWriter::text(std::string_view ascii)
{
    for (char c : ascii)
        u8(static_cast<std::uint8_t>(c));
}

}  // namespace koppelo::assetgen
