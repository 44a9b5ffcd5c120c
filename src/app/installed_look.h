// Showing the look Photoshop has now, or had before any change, from its own files.
#pragma once

#include "platform/result.h"

namespace lumivel {

struct AppState;

enum class LookSource {
    Current, ///< the live index ("[当前]")
    Default, ///< the backup copy of the index ("[默认]")
};

/// Loads the source's index and shows its 1x splash, the two 1x icons, the description,
/// the hide-text switch and the text layer. Gives back the index's refusal, shown before
/// the preview goes on with the index as it was.
Result<void> previewInstalledLook(AppState& state, LookSource source);

} // namespace lumivel
