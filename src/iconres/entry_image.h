// Reading one entry's image out of an image store, and putting a new image in.
#pragma once

#include "iconres/icon_resource_index.h"
#include "platform/bytes.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace lumivel {

class Ui;

/// Reads an index file whole (a missing or unreadable file, or an empty path, reads as
/// empty) and loads it into `index`, with the load's messages. Returns the refusal when it was not taken.
Result<void> loadIndexFile(IconResourceIndex& index, std::string_view indexFile, Ui& ui);

/// The path of a store beside the index file `indexFile`; empty when that is empty.
std::string storePathBeside(std::string_view indexFile, DensityFile store);

/// The bytes of the entry's image at LowRes or HighRes, read from the store beside
/// `indexFile`, whichever file `index` was loaded from. Empty when the entry is missing or
/// the store is; only the bytes that exist when the entry runs past the store's end. Reads
/// nothing of the store but the entry's bytes.
Bytes readEntryImage(const IconResourceIndex& index, std::string_view indexFile, std::string_view entryName,
                     DensityFile density);

/// Appends the image file to the end of the density's store beside `indexFile`, points the
/// entry at position `position` of `index` at it and writes the whole index anew to
/// `indexFile`. Nothing already in a store is moved or overwritten. Failures are reported
/// through `ui`; after any of them every entry of the index file still points inside the
/// stores, and `index` agrees with the index file. Returns whether the image was written.
bool replaceEntryImage(IconResourceIndex& index, std::string_view indexFile, Ui& ui, std::string_view imagePath,
                       std::size_t position, DensityFile density);

/// The same for the first entry of that name; an entry the index does not hold is
/// reported ("索引中没有这个条目：" + the name) and nothing is touched.
bool replaceEntryImage(IconResourceIndex& index, std::string_view indexFile, Ui& ui, std::string_view imagePath,
                       std::string_view entryName, DensityFile density);

} // namespace lumivel
