// A zlib stream of deflate blocks with LZ77 matches and Huffman codes of
// their own, in integers only and with every tie broken by a fixed rule, so
// the bytes depend on nothing but the input.
#pragma once

#include "byte_writer.h"

namespace koppelo::assetgen {

Bytes zlibCompress(const Bytes& raw);

// The zlib checksum of raw.
std::uint32_t adler32(const Bytes& raw);

}  // namespace koppelo::assetgen
