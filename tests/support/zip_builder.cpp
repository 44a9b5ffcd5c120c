#include "support/zip_builder.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace lumivel::testing {

namespace {

void put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void putText(Bytes& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

struct Written {
    Bytes stored;
    std::uint32_t crc, declaredSize, flags, method;
};

Written prepare(const ZipEntry& entry) {
    Written w;
    w.stored = entry.compressed ? *entry.compressed : entry.deflate ? deflated(entry.data) : entry.data;
    w.crc = entry.crc.value_or(static_cast<std::uint32_t>(
        crc32(0, entry.data.data(), static_cast<uInt>(entry.data.size()))));
    w.declaredSize = entry.declaredSize.value_or(static_cast<std::uint32_t>(entry.data.size()));
    w.flags = (entry.encrypted ? 1u : 0u) | (entry.utf8Name ? 1u << 11 : 0u);
    w.method = entry.deflate ? 8 : 0;
    return w;
}

} // namespace

ZipEntry zipFile(std::string name, std::string_view text) {
    ZipEntry entry;
    entry.name = std::move(name);
    entry.data = bytesOf(text);
    return entry;
}

ZipEntry zeroEntry(std::string name, std::uint32_t size, const Bytes& zerosDeflated) {
    ZipEntry entry;
    entry.name = std::move(name);
    entry.deflate = true;
    entry.compressed = zerosDeflated;
    entry.declaredSize = size;
    Bytes zeros(4096, 0);
    uLong crc = crc32(0, nullptr, 0);
    for (std::uint32_t done = 0; done < size; done += static_cast<std::uint32_t>(zeros.size()))
        crc = crc32(crc, zeros.data(), static_cast<uInt>(std::min<std::uint32_t>(size - done, 4096)));
    entry.crc = static_cast<std::uint32_t>(crc);
    return entry;
}

Bytes deflated(ByteView bytes) {
    z_stream stream{};
    if (deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    Bytes out(deflateBound(&stream, static_cast<uLong>(bytes.size())));
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    int result = deflate(&stream, Z_FINISH);
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        throw std::runtime_error("deflate");
    out.resize(stream.total_out);
    return out;
}

Bytes zipArchive(const std::vector<ZipEntry>& entries) {
    Bytes archive, directory;
    for (const ZipEntry& entry : entries) {
        Written w = prepare(entry);
        auto offset = static_cast<std::uint32_t>(archive.size());

        put32(archive, 0x04034b50);
        put16(archive, 20);
        put16(archive, w.flags);
        put16(archive, w.method);
        put32(archive, 0x00210000); // 1980-01-01 00:00
        put32(archive, w.crc);
        put32(archive, static_cast<std::uint32_t>(w.stored.size()));
        put32(archive, w.declaredSize);
        put16(archive, static_cast<std::uint32_t>(entry.name.size()));
        put16(archive, 0);
        putText(archive, entry.name);
        append(archive, w.stored);

        put32(directory, 0x02014b50);
        put16(directory, entry.symbolicLink ? 0x0314 : 0x0014); // made by: Unix or DOS, 2.0
        put16(directory, 20);
        put16(directory, w.flags);
        put16(directory, w.method);
        put32(directory, 0x00210000);
        put32(directory, w.crc);
        put32(directory, static_cast<std::uint32_t>(w.stored.size()));
        put32(directory, w.declaredSize);
        put16(directory, static_cast<std::uint32_t>(entry.name.size()));
        put16(directory, 0); // extra
        put16(directory, 0); // comment
        put16(directory, 0); // disk
        put16(directory, 0); // internal attributes
        bool folder = !entry.name.empty() && entry.name.back() == '/';
        put32(directory, entry.symbolicLink ? (0120777u << 16) : (folder ? 0x10u : 0x20u));
        put32(directory, offset);
        putText(directory, entry.name);
    }
    auto directoryAt = static_cast<std::uint32_t>(archive.size());
    append(archive, directory);
    put32(archive, 0x06054b50);
    put16(archive, 0);
    put16(archive, 0);
    put16(archive, static_cast<std::uint32_t>(entries.size()));
    put16(archive, static_cast<std::uint32_t>(entries.size()));
    put32(archive, static_cast<std::uint32_t>(directory.size()));
    put32(archive, directoryAt);
    put16(archive, 0);
    return archive;
}

} // namespace lumivel::testing
