// Byte buffers and the little-endian integers of Photoshop's files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace lumivel {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

inline Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

inline std::int32_t readInt32LE(ByteView bytes, std::size_t at) {
    std::uint32_t v = std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
                      std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24;
    return static_cast<std::int32_t>(v);
}

inline void writeInt32LE(std::span<std::uint8_t> bytes, std::size_t at, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline void append(Bytes& to, ByteView more) { to.insert(to.end(), more.begin(), more.end()); }

} // namespace lumivel
