#include "iconres/icon_resource_index.h"

#include "platform/files.h"
#include "platform/ui.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace lumivel {

namespace {

constexpr std::string_view kSignature = "Photoshop Icon Resource Index 1.0\n";
constexpr std::size_t kStoreNameFieldLength = 128;

// Where the interpreted fields of a record lie, per layout. The name area is the part of
// the record before the LowRes offset field.
struct RecordShape {
    std::size_t headerLength;
    std::size_t recordLength;
    std::size_t lowOffset, highOffset, lowLength, highLength;
};

constexpr RecordShape kTwoStoreShape{290, 208, 80, 112, 144, 176};
constexpr RecordShape kFourStoreShape{546, 368, 112, 144, 240, 272};

const RecordShape& shapeOf(IndexLayout layout) {
    return layout == IndexLayout::TwoStore ? kTwoStoreShape : kFourStoreShape;
}

// The byte position of the offset or length field of LowRes or HighRes. The X stores'
// fields are not interpreted by Lumivel, so asking for them is a programming error.
std::size_t fieldAt(IndexLayout layout, DensityFile density, bool lengthField) {
    const RecordShape& shape = shapeOf(layout);
    switch (density) {
    case DensityFile::LowRes: return lengthField ? shape.lowLength : shape.lowOffset;
    case DensityFile::HighRes: return lengthField ? shape.highLength : shape.highOffset;
    default: throw std::invalid_argument("only the LowRes and HighRes fields of an index record are interpreted");
    }
}

constexpr std::string_view kEmptyIndexMessage =
    "读取到的索引长度为 0 ，很可能是没有权限造成的，请用管理员权限运行 Lumivel";

} // namespace

Bytes indexHeader(IndexLayout layout) {
    constexpr std::array kStores = {DensityFile::LowRes, DensityFile::HighRes, DensityFile::XLowRes, DensityFile::XHighRes};
    std::size_t storeCount = layout == IndexLayout::TwoStore ? 2 : 4;
    Bytes header = bytesOf(kSignature);
    for (std::size_t i = 0; i < storeCount; ++i) {
        // The file name, zero bytes up to the field's byte 126, a line feed as its last byte.
        Bytes field(kStoreNameFieldLength, 0);
        std::string_view name = storeFileName(kStores[i]);
        std::copy(name.begin(), name.end(), field.begin());
        field.back() = '\n';
        append(header, field);
    }
    return header;
}

IconResourceEntry::IconResourceEntry(Bytes record, IndexLayout layout) : m_record(std::move(record)), m_layout(layout) {
    if (m_record.size() != shapeOf(layout).recordLength)
        throw std::invalid_argument("an index record must have the record length of its layout");
}

std::string_view IconResourceEntry::nameView() const {
    // A name that fills its whole area without a zero byte ends where the area ends:
    // the offset fields that follow are never taken for part of it.
    auto area = ByteView(m_record).first(shapeOf(m_layout).lowOffset);
    auto end = std::find(area.begin(), area.end(), std::uint8_t{0});
    return {reinterpret_cast<const char*>(area.data()), static_cast<std::size_t>(end - area.begin())};
}

std::string IconResourceEntry::name() const { return std::string(nameView()); }

std::int32_t IconResourceEntry::offset(DensityFile density) const {
    return readInt32LE(m_record, fieldAt(m_layout, density, false));
}

std::int32_t IconResourceEntry::length(DensityFile density) const {
    return readInt32LE(m_record, fieldAt(m_layout, density, true));
}

void IconResourceEntry::setOffset(DensityFile density, std::int32_t value) {
    writeInt32LE(m_record, fieldAt(m_layout, density, false), value);
}

void IconResourceEntry::setLength(DensityFile density, std::int32_t value) {
    writeInt32LE(m_record, fieldAt(m_layout, density, true), value);
}

Result<IconResourceIndex> IconResourceIndex::fromBytes(ByteView content) {
    if (content.empty())
        return Error{std::string(kEmptyIndexMessage)};
    if (content.size() < kSignature.size() ||
        !std::equal(kSignature.begin(), kSignature.end(), content.begin()))
        return Error{std::string()};

    // The layout is told by the whole four-store header; anything else with the
    // signature is read as a two-store file, whatever its other header bytes hold.
    IndexLayout layout = IndexLayout::TwoStore;
    const Bytes fourStoreHeader = indexHeader(IndexLayout::FourStore);
    if (content.size() >= fourStoreHeader.size() &&
        std::equal(fourStoreHeader.begin(), fourStoreHeader.end(), content.begin()))
        layout = IndexLayout::FourStore;

    const RecordShape& shape = shapeOf(layout);
    ByteView records = content.size() > shape.headerLength ? content.subspan(shape.headerLength) : ByteView{};
    if (records.size() % shape.recordLength != 0) {
        Error refusal{layout == IndexLayout::FourStore ? std::string("索引长度错误_nc368")
                                                       : "索引长度错误_nc208:" + std::to_string(records.size())};
        refusal.caption = std::string(kDefaultCaption);
        refusal.errorIcon = false;
        return refusal;
    }

    std::vector<IconResourceEntry> entries;
    entries.reserve(records.size() / shape.recordLength);
    for (std::size_t at = 0; at < records.size(); at += shape.recordLength) {
        auto record = records.subspan(at, shape.recordLength);
        entries.emplace_back(Bytes(record.begin(), record.end()), layout);
    }
    IconResourceIndex index;
    index.m_entries = std::move(entries);
    index.m_layout = layout;
    return index;
}

Result<IconResourceIndex> IconResourceIndex::fromFile(const std::filesystem::path& indexFile) {
    return fromBytes(files::readFileOrEmpty(indexFile));
}

Result<void> IconResourceIndex::load(ByteView content, Ui& ui) {
    WaitCursor waitCursor(ui);
    auto parsed = fromBytes(content);
    if (!parsed.ok()) {
        reportError(ui, parsed.error());
        return parsed.error();
    }
    *this = std::move(parsed).value();
    return {};
}

std::optional<std::size_t> IconResourceIndex::positionOf(std::string_view name) const {
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].nameView() == name)
            return i + 1;
    return std::nullopt;
}

Bytes IconResourceIndex::serialize() const {
    Bytes bytes = indexHeader(m_layout);
    bytes.reserve(bytes.size() + m_entries.size() * shapeOf(m_layout).recordLength);
    for (const IconResourceEntry& entry : m_entries)
        append(bytes, entry.bytes());
    return bytes;
}

std::size_t recordLengthOf(IndexLayout layout) { return shapeOf(layout).recordLength; }
std::size_t headerLengthOf(IndexLayout layout) { return shapeOf(layout).headerLength; }

} // namespace lumivel
