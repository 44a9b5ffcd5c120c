// The program's one index and the installation's live index file, as AppState holds them:
// the entry-image operations applied to that pair, with the program's Ui.
#pragma once

#include "iconres/entry_image.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace lumivel {

struct AppState;

/// Loads an index file into the program's index (loadIndexFile with AppState's index and Ui).
Result<void> loadIndexFile(AppState& state, std::string_view indexFile);

/// loadIndexFile of the live index, AppState::indexPath.
Result<void> loadLiveIndex(AppState& state);

/// The path of a store beside the live index (AppState::indexPath); empty while unlocated.
std::string storePathOf(const AppState& state, DensityFile store);

/// readEntryImage of the program's index from the stores beside the live index.
Bytes readEntryImage(const AppState& state, std::string_view entryName, DensityFile density);

/// replaceEntryImage in the program's index and the live index file.
bool replaceEntryImage(AppState& state, std::string_view imagePath, std::size_t position, DensityFile density);
bool replaceEntryImage(AppState& state, std::string_view imagePath, std::string_view entryName, DensityFile density);

} // namespace lumivel
