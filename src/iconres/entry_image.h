// Reading one entry's image out of an image store, and putting a new image in.
#pragma once

#include "iconres/icon_resource_index.h"
#include "platform/bytes.h"

#include <cstddef>
#include <string_view>

namespace lumivel {

struct AppState;

/// The bytes of the entry's image at LowRes or HighRes, read from the store beside the
/// live index (AppState::indexPath), whichever file the index was loaded from. Empty when
/// the entry is missing or the store is; only the bytes that exist when the entry runs
/// past the store's end.
Bytes readEntryImage(const AppState& state, std::string_view entryName, DensityFile density);

/// Appends the image file to the end of the density's store beside the live index, points
/// the entry at position `position` at it and writes the whole index anew. Nothing already
/// in a store is moved or overwritten. Failures are reported to the user; after any of them
/// every entry of the live index still points inside the live stores.
/// Returns whether the image was written.
bool replaceEntryImage(AppState& state, std::string_view imagePath, std::size_t position, DensityFile density);

} // namespace lumivel
