#include "app/live_index.h"

#include "app/app_state.h"

namespace lumivel {

Result<void> loadIndexFile(AppState& state, std::string_view indexFile) { return loadIndexFile(state.index, indexFile, state.ui); }

Result<void> loadLiveIndex(AppState& state) { return loadIndexFile(state, state.indexPath); }

std::string storePathOf(const AppState& state, DensityFile store) {
    return state.isLocated() ? storePathBeside(state.indexPath, store) : std::string();
}

Bytes readEntryImage(const AppState& state, std::string_view entryName, DensityFile density) {
    if (!state.isLocated())
        return {};
    return readEntryImage(state.index, state.indexPath, entryName, density);
}

bool replaceEntryImage(AppState& state, std::string_view imagePath, std::size_t position, DensityFile density) {
    return replaceEntryImage(state.index, state.indexPath, state.ui, imagePath, position, density);
}

bool replaceEntryImage(AppState& state, std::string_view imagePath, std::string_view entryName, DensityFile density) {
    return replaceEntryImage(state.index, state.indexPath, state.ui, imagePath, entryName, density);
}

} // namespace lumivel
