// Zip archives made byte by byte, so the tests can build the packages a careful extractor
// must refuse: names no archiver would write, sizes that lie, flags that claim encryption.
#pragma once

#include "platform/bytes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumivel::testing {

struct ZipEntry {
    std::string name;       ///< the name's bytes as stored (GBK, UTF-8, anything)
    Bytes data;             ///< the entry's real content
    bool utf8Name = false;  ///< sets the flag that marks the name as UTF-8
    bool deflate = false;   ///< deflated instead of stored
    std::optional<Bytes> compressed; ///< deflated bytes made beforehand (data may then stay empty)
    bool encrypted = false; ///< sets the flag that marks the entry as encrypted
    bool symbolicLink = false;            ///< Unix attributes of a symbolic link
    std::optional<std::uint32_t> declaredSize; ///< the uncompressed size the headers claim
    std::optional<std::uint32_t> crc;          ///< the checksum the headers claim
};

/// A plain entry of a file with this text as its content.
ZipEntry zipFile(std::string name, std::string_view text);

/// The archive: local headers with their data, the central directory, its end record.
Bytes zipArchive(const std::vector<ZipEntry>& entries);

/// A deflated entry of `size` zero bytes whose compressed form `zerosDeflated` was made once,
/// so that a test can repeat it many times without holding the zeros.
ZipEntry zeroEntry(std::string name, std::uint32_t size, const Bytes& zerosDeflated);

/// Raw deflate of the bytes, as a zip entry holds them.
Bytes deflated(ByteView bytes);

} // namespace lumivel::testing
