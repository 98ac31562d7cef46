// Little- and big-endian byte appenders for the file formats the generator
// writes; every header field goes through here so widths are explicit.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace koppelo::assetgen {

using Bytes = std::vector<std::uint8_t>;

class ByteWriter {
public:
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16le(std::uint16_t value);
    void u32le(std::uint32_t value);
    void i32le(std::int32_t value) { u32le(static_cast<std::uint32_t>(value)); }
    void u16be(std::uint16_t value);
    void u32be(std::uint32_t value);
    void text(std::string_view ascii);
    void append(const Bytes& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
    void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }

    std::size_t size() const { return bytes_.size(); }
    const Bytes& bytes() const { return bytes_; }
    Bytes take() { return std::move(bytes_); }

private:
    Bytes bytes_;
};

}  // namespace koppelo::assetgen
