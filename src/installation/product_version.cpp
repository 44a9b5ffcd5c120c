#include "installation/product_version.h"

#include "platform/files.h"
#include "platform/text.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

namespace lumivel {

namespace {

constexpr std::uint32_t kVersionResourceType = 16; // RT_VERSION
constexpr std::string_view kDefaultTranslation = "040904E4";

// Bounds-checked little-endian reads over the executable's bytes.
class Reader {
public:
    explicit Reader(ByteView bytes) : m_bytes(bytes) {}
    bool has(std::size_t at, std::size_t n) const { return at <= m_bytes.size() && n <= m_bytes.size() - at; }
    std::optional<std::uint16_t> u16(std::size_t at) const {
        if (!has(at, 2))
            return std::nullopt;
        return static_cast<std::uint16_t>(m_bytes[at] | m_bytes[at + 1] << 8);
    }
    std::optional<std::uint32_t> u32(std::size_t at) const {
        if (!has(at, 4))
            return std::nullopt;
        return static_cast<std::uint32_t>(readInt32LE(m_bytes, at));
    }
    ByteView bytes() const { return m_bytes; }

private:
    ByteView m_bytes;
};

struct Section {
    std::uint32_t virtualAddress, virtualSize, rawSize, rawOffset;
};

// Where the resource directory lies in the file, and how to map its addresses.
struct ResourceView {
    std::size_t directoryOffset;
    std::vector<Section> sections;

    std::optional<std::size_t> fileOffsetOf(std::uint32_t rva) const {
        for (const Section& s : sections) {
            std::uint32_t span = std::max(s.virtualSize, s.rawSize);
            if (rva >= s.virtualAddress && rva - s.virtualAddress < span)
                return std::size_t(s.rawOffset) + (rva - s.virtualAddress);
        }
        return std::nullopt;
    }
};

std::optional<ResourceView> findResources(const Reader& r) {
    if (r.u16(0) != 0x5A4D) // "MZ"
        return std::nullopt;
    auto peOffset = r.u32(0x3C);
    if (!peOffset || r.u32(*peOffset) != 0x00004550) // "PE\0\0"
        return std::nullopt;
    std::size_t coff = *peOffset + 4;
    auto sectionCount = r.u16(coff + 2);
    auto optionalSize = r.u16(coff + 16);
    std::size_t optional = coff + 20;
    auto magic = r.u16(optional);
    if (!sectionCount || !optionalSize || !magic || (*magic != 0x10B && *magic != 0x20B))
        return std::nullopt;
    bool pe32Plus = *magic == 0x20B;
    auto directoryCount = r.u32(optional + (pe32Plus ? 108 : 92));
    if (!directoryCount || *directoryCount < 3)
        return std::nullopt;
    auto resourceRva = r.u32(optional + (pe32Plus ? 112 : 96) + 2 * 8);
    if (!resourceRva || *resourceRva == 0)
        return std::nullopt;

    ResourceView view{};
    std::size_t table = optional + *optionalSize;
    for (std::size_t i = 0; i < *sectionCount; ++i) {
        std::size_t at = table + i * 40;
        auto vsize = r.u32(at + 8), va = r.u32(at + 12), rawSize = r.u32(at + 16), raw = r.u32(at + 20);
        if (!vsize || !va || !rawSize || !raw)
            return std::nullopt;
        view.sections.push_back({*va, *vsize, *rawSize, *raw});
    }
    auto directory = view.fileOffsetOf(*resourceRva);
    if (!directory)
        return std::nullopt;
    view.directoryOffset = *directory;
    return view;
}

// One entry of a resource directory level: its id (or name offset) and where it points.
struct DirectoryEntry {
    std::uint32_t id;
    bool named;
    bool subdirectory;
    std::size_t target; // relative to the resource directory
};

std::vector<DirectoryEntry> directoryEntries(const Reader& r, std::size_t at) {
    std::vector<DirectoryEntry> entries;
    auto named = r.u16(at + 12), ids = r.u16(at + 14);
    if (!named || !ids)
        return entries;
    for (std::size_t i = 0; i < std::size_t(*named) + *ids; ++i) {
        auto name = r.u32(at + 16 + i * 8), target = r.u32(at + 16 + i * 8 + 4);
        if (!name || !target)
            break;
        entries.push_back({*name & 0x7FFFFFFF, (*name & 0x80000000) != 0, (*target & 0x80000000) != 0, *target & 0x7FFFFFFF});
    }
    return entries;
}

// The bytes of the first version resource (id 1 preferred), any language.
std::optional<ByteView> versionResource(const Reader& r) {
    auto view = findResources(r);
    if (!view)
        return std::nullopt;
    std::size_t root = view->directoryOffset;
    std::optional<DirectoryEntry> typeEntry;
    for (const DirectoryEntry& e : directoryEntries(r, root))
        if (!e.named && e.id == kVersionResourceType && e.subdirectory)
            typeEntry = e;
    if (!typeEntry)
        return std::nullopt;
    auto names = directoryEntries(r, root + typeEntry->target);
    if (names.empty() || !names.front().subdirectory)
        return std::nullopt;
    DirectoryEntry name = names.front();
    for (const DirectoryEntry& e : names)
        if (!e.named && e.id == 1 && e.subdirectory)
            name = e;
    auto languages = directoryEntries(r, root + name.target);
    if (languages.empty() || languages.front().subdirectory)
        return std::nullopt;
    std::size_t leaf = root + languages.front().target;
    auto dataRva = r.u32(leaf), dataSize = r.u32(leaf + 4);
    if (!dataRva || !dataSize)
        return std::nullopt;
    auto dataOffset = view->fileOffsetOf(*dataRva);
    if (!dataOffset || !r.has(*dataOffset, *dataSize))
        return std::nullopt;
    return r.bytes().subspan(*dataOffset, *dataSize);
}

// A block of the VS_VERSIONINFO tree: a key, a value and child blocks, each 32-bit aligned.
struct Block {
    std::u16string key;
    std::size_t valueOffset;
    std::size_t valueBytes;
    std::size_t childrenOffset;
    std::size_t end;
};

std::size_t aligned4(std::size_t n) { return (n + 3) & ~std::size_t(3); }

std::optional<Block> blockAt(const Reader& r, std::size_t at, std::size_t limit) {
    auto length = r.u16(at), valueLength = r.u16(at + 2), type = r.u16(at + 4);
    if (!length || !valueLength || !type || *length < 6 || at + *length > limit)
        return std::nullopt;
    Block block{};
    block.end = at + *length;
    std::size_t p = at + 6;
    while (true) {
        auto unit = r.u16(p);
        if (!unit || p + 2 > block.end)
            return std::nullopt;
        p += 2;
        if (*unit == 0)
            break;
        block.key += static_cast<char16_t>(*unit);
    }
    block.valueOffset = std::min(aligned4(p), block.end);
    block.valueBytes = *type == 1 ? std::size_t(*valueLength) * 2 : *valueLength;
    block.valueBytes = std::min(block.valueBytes, block.end - block.valueOffset);
    block.childrenOffset = std::min(aligned4(block.valueOffset + block.valueBytes), block.end);
    return block;
}

std::vector<Block> childrenOf(const Reader& r, const Block& parent) {
    std::vector<Block> children;
    for (std::size_t at = parent.childrenOffset; at + 6 <= parent.end;) {
        auto child = blockAt(r, at, parent.end);
        if (!child)
            break;
        children.push_back(*child);
        at = aligned4(child->end);
    }
    return children;
}

std::string keyOf(const Block& block) { return utf16ToUtf8(block.key); }

std::string firstTranslation(const Reader& r, const std::vector<Block>& topLevel) {
    for (const Block& varInfo : topLevel) {
        if (keyOf(varInfo) != "VarFileInfo")
            continue;
        for (const Block& var : childrenOf(r, varInfo)) {
            if (keyOf(var) != "Translation" || var.valueBytes < 4)
                continue;
            char text[9];
            std::snprintf(text, sizeof text, "%04X%04X", unsigned(*r.u16(var.valueOffset)), unsigned(*r.u16(var.valueOffset + 2)));
            return text;
        }
    }
    return std::string(kDefaultTranslation);
}

std::string stringValue(const Reader& r, const Block& block) {
    std::u16string value;
    for (std::size_t p = block.valueOffset; p + 2 <= block.end; p += 2) {
        char16_t unit = *r.u16(p);
        if (unit == 0)
            break;
        value += unit;
    }
    return utf16ToUtf8(value);
}

} // namespace

std::string productVersionOf(ByteView executable) {
    Reader pe(executable);
    auto resource = versionResource(pe);
    if (!resource)
        return {};
    Reader r(*resource);
    auto root = blockAt(r, 0, resource->size());
    if (!root || keyOf(*root) != "VS_VERSION_INFO")
        return {};
    auto topLevel = childrenOf(r, *root);
    std::string translation = firstTranslation(r, topLevel);
    for (const Block& stringInfo : topLevel) {
        if (keyOf(stringInfo) != "StringFileInfo")
            continue;
        for (const Block& table : childrenOf(r, stringInfo)) {
            if (!equalsIgnoringAsciiCase(keyOf(table), translation))
                continue;
            for (const Block& entry : childrenOf(r, table))
                if (equalsIgnoringAsciiCase(keyOf(entry), "ProductVersion"))
                    return stringValue(r, entry);
        }
    }
    return {};
}

std::string productVersionOfFile(const std::filesystem::path& executable) {
    auto bytes = files::readFile(executable);
    return bytes.ok() ? productVersionOf(bytes.value()) : std::string();
}

float versionNumberOf(std::string_view text) {
    std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string_view::npos)
        return 0.0f;
    text.remove_prefix(start);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double number = 0.0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, std::chars_format::general);
    if (error != std::errc())
        return 0.0f;
    return static_cast<float>(negative ? -number : number);
}

bool isSuitableVersion(float versionNumber) {
    return static_cast<double>(versionNumber) - 16.0 >= -0.0000001;
}

} // namespace lumivel
