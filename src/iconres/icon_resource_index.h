// Photoshop's icon resource index, IconResources.idx: a fixed header naming the image
// stores, then fixed-length records that give each image's offset and length per store.
#pragma once

#include "installation/installation.h"
#include "platform/bytes.h"
#include "platform/result.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumivel {

class Ui;

/// The two variants of the file format.
enum class IndexLayout { TwoStore, FourStore };

/// The three entries Lumivel reads and replaces.
inline constexpr std::string_view kSplashEntry = "Splash1080Background";
inline constexpr std::string_view kDarkIconEntry = "PS_OWL_appbar_dark_win";
inline constexpr std::string_view kLightIconEntry = "PS_OWL_appbar_light_win";

/// One record, kept as the exact bytes read from the file. Only the name and the
/// LowRes/HighRes offsets and lengths are interpreted; every other byte is carried through.
class IconResourceEntry {
public:
    /// `record` must be exactly one record of the layout (208 or 368 bytes).
    IconResourceEntry(Bytes record, IndexLayout layout);

    /// The bytes up to the first zero byte of the name area (the bytes before the LowRes
    /// offset field); the whole name area when it holds none.
    std::string name() const;
    std::string_view nameView() const;
    /// LowRes or HighRes only (the X stores' fields are carried through, never interpreted).
    std::int32_t offset(DensityFile density) const;
    std::int32_t length(DensityFile density) const;
    void setOffset(DensityFile density, std::int32_t value);
    void setLength(DensityFile density, std::int32_t value);

    const Bytes& bytes() const { return m_record; }

private:
    Bytes m_record;
    IndexLayout m_layout;
};

/// The parsed index: its layout and its records in file order (positions count from 1).
class IconResourceIndex {
public:
    /// The index a whole index file holds, or its refusal: an empty file, a file without
    /// the index signature (a refusal without a message) or records of the wrong length.
    static Result<IconResourceIndex> fromBytes(ByteView content);
    /// fromBytes of a file read whole; a missing or unreadable file reads as empty.
    static Result<IconResourceIndex> fromFile(const std::filesystem::path& indexFile);

    /// Replaces layout and entries with those of a whole index file. A refused file is
    /// reported to the user (with the wait cursor shown meanwhile) and changes nothing.
    /// Returns what happened.
    Result<void> load(ByteView content, Ui& ui);

    /// 1-based position of the first entry with exactly this name.
    std::optional<std::size_t> positionOf(std::string_view name) const;

    IconResourceEntry& entryAt(std::size_t position) { return m_entries.at(position - 1); }
    const IconResourceEntry& entryAt(std::size_t position) const { return m_entries.at(position - 1); }
    const std::vector<IconResourceEntry>& entries() const { return m_entries; }
    IndexLayout layout() const { return m_layout; }

    /// The fixed header of the layout followed by every record.
    Bytes serialize() const;

private:
    IndexLayout m_layout = IndexLayout::FourStore;
    std::vector<IconResourceEntry> m_entries;
};

/// The fixed header bytes of a layout (290 or 546 bytes).
Bytes indexHeader(IndexLayout layout);
/// 290 or 546.
std::size_t headerLengthOf(IndexLayout layout);
/// 208 or 368.
std::size_t recordLengthOf(IndexLayout layout);

} // namespace lumivel
