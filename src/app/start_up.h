// What the main window does first: take the Photoshop location stored in setting.ini,
// or ask for it when none is stored.
#pragma once

namespace lumivel {

struct AppState;

/// Restores the stored location when Photoshop.exe is still there; runs the locator
/// when nothing is stored. Shows nothing itself.
void restorePhotoshopPath(AppState& state);

} // namespace lumivel
