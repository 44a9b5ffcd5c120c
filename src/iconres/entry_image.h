// Reading one entry's image out of an image store, and putting a new image in.
#pragma once

#include "iconres/icon_resource_index.h"
#include "platform/bytes.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace lumivel {

struct AppState;

/// Reads an index file whole (a missing or unreadable file reads as empty) and loads it
/// into the program's index, with the load's messages. Returns whether it was taken.
bool loadIndexFile(AppState& state, std::string_view indexFile);

/// loadIndexFile of the live index, AppState::indexPath.
bool loadLiveIndex(AppState& state);

/// The path of a store beside the live index (AppState::indexPath); empty while unlocated.
std::string storePathOf(const AppState& state, DensityFile store);

/// The bytes of the entry's image at LowRes or HighRes, read from the store beside the
/// live index (AppState::indexPath), whichever file the index was loaded from. Empty when
/// the entry is missing or the store is; only the bytes that exist when the entry runs
/// past the store's end. Reads nothing of the store but the entry's bytes.
Bytes readEntryImage(const AppState& state, std::string_view entryName, DensityFile density);

/// Appends the image file to the end of the density's store beside the live index, points
/// the entry at position `position` at it and writes the whole index anew. Nothing already
/// in a store is moved or overwritten. Failures are reported to the user; after any of them
/// every entry of the live index still points inside the live stores, and the program's
/// index agrees with the index file. Returns whether the image was written.
bool replaceEntryImage(AppState& state, std::string_view imagePath, std::size_t position, DensityFile density);

/// The same for the first entry of that name; an entry the index does not hold is
/// reported ("索引中没有这个条目：" + the name) and nothing is touched.
bool replaceEntryImage(AppState& state, std::string_view imagePath, std::string_view entryName, DensityFile density);

} // namespace lumivel
