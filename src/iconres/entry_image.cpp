#include "iconres/entry_image.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace lumivel {

namespace {

constexpr std::string_view kMissingEntryMessage = "索引中没有这个条目：";
constexpr std::string_view kStoreTooLargeMessage = "图片库将超过 2 GB，无法再追加图片：";

void reportFailure(Ui& ui, std::string_view text) { ui.showMessage(text, "错误", MessageIcon::Error); }

// Offsets and lengths are 32-bit signed fields: a store may not grow past what they reach.
constexpr std::uint64_t kLargestStore = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());

} // namespace

Result<void> loadIndexFile(IconResourceIndex& index, std::string_view indexFile, Ui& ui) {
    Bytes content = indexFile.empty() ? Bytes{} : files::readFileOrEmpty(pathFromText(indexFile));
    return index.load(content, ui);
}

std::string storePathBeside(std::string_view indexFile, DensityFile store) {
    if (indexFile.empty())
        return {};
    return parentFolderOf(indexFile) + std::string(storeFileName(store));
}

Bytes readEntryImage(const IconResourceIndex& index, std::string_view indexFile, std::string_view entryName,
                     DensityFile density) {
    auto position = index.positionOf(entryName);
    if (!position)
        return {};
    const IconResourceEntry& entry = index.entryAt(*position);
    std::int32_t offset = entry.offset(density);
    std::int32_t length = entry.length(density);
    std::string store = storePathBeside(indexFile, density);
    if (offset < 0 || length <= 0 || store.empty())
        return {};
    // Only the entry's own bytes are read: the stores run to hundreds of megabytes.
    auto bytes = files::readFileRange(pathFromText(store), static_cast<std::uint64_t>(offset),
                                      static_cast<std::uint64_t>(length));
    return bytes.ok() ? std::move(bytes).value() : Bytes{};
}

bool replaceEntryImage(IconResourceIndex& index, std::string_view indexFile, Ui& ui, std::string_view imagePath,
                       std::size_t position, DensityFile density) {
    if (position == 0 || position > index.entries().size()) {
        reportFailure(ui, std::string(kMissingEntryMessage) + "第 " + std::to_string(position) + " 项");
        return false;
    }
    if (density != DensityFile::LowRes && density != DensityFile::HighRes)
        throw std::invalid_argument("only the LowRes and HighRes stores take new images");
    IconResourceEntry& entry = index.entryAt(position);
    const IconResourceEntry before = entry;
    std::string storeText = storePathBeside(indexFile, density);
    if (storeText.empty())
        return false;

    // The image is taken as it is; a missing file appends nothing. One that is there but
    // cannot be read is reported and changes nothing: taking it as empty would leave
    // Photoshop without that image while the user believes it replaced.
    auto imageRead = files::readFile(pathFromText(imagePath));
    if (!imageRead.ok() && !imageRead.error().isMissing()) {
        reportFailure(ui, imageRead.error().message);
        return false;
    }
    Bytes image = imageRead.ok() ? std::move(imageRead).value() : Bytes{};

    // The store's present length is the image's offset. A store that exists but cannot be
    // looked at is left alone: writing the image alone would lose every image in it.
    auto store = pathFromText(storeText);
    auto size = files::fileSize(store);
    if (!size.ok() && !size.error().isMissing()) {
        reportFailure(ui, size.error().message);
        return false;
    }
    bool storeMissing = !size.ok();
    std::uint64_t offset = storeMissing ? 0 : size.value();
    if (offset + image.size() > kLargestStore) {
        reportFailure(ui, std::string(kStoreTooLargeMessage) + storeText);
        return false;
    }

    // Appending in place gives the same bytes as writing the store anew with the image at
    // its end, without reading it; a failed append is cut back to the old length.
    Result<void> stored = storeMissing    ? files::writeFileAtomic(store, image)
                          : image.empty() ? Result<void>{}
                                          : files::appendToFile(store, image);
    if (!stored.ok()) {
        reportFailure(ui, stored.error().message);
        return false;
    }

    entry.setOffset(density, static_cast<std::int32_t>(offset));
    entry.setLength(density, static_cast<std::int32_t>(image.size()));
    auto indexed = files::writeFileAtomic(pathFromText(indexFile), index.serialize());
    if (!indexed.ok()) {
        // The index file keeps its old entry, which still points at the old image; the
        // appended bytes stay unreferenced. Memory goes back to agree with the file.
        entry = before;
        reportFailure(ui, indexed.error().message);
        return false;
    }
    return true;
}

bool replaceEntryImage(IconResourceIndex& index, std::string_view indexFile, Ui& ui, std::string_view imagePath,
                       std::string_view entryName, DensityFile density) {
    auto position = index.positionOf(entryName);
    if (!position) {
        reportFailure(ui, std::string(kMissingEntryMessage) + std::string(entryName));
        return false;
    }
    return replaceEntryImage(index, indexFile, ui, imagePath, *position, density);
}

} // namespace lumivel
