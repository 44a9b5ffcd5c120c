// Finding Photoshop: the user picks Photoshop.exe, Lumivel reports whether the version is
// one it was made for, requires the files it changes, and remembers the location.
#pragma once

namespace lumivel {

struct AppState;

/// How a run of the locator ended.
enum class LocateOutcome {
    Cancelled,              ///< nothing (or no existing file) was chosen
    IndexMissing,           ///< no IconResources.idx beside it: left unlocated
    DictionaryNotConfirmed, ///< tw10428.dat missing and no stand-in chosen
    Accepted,               ///< stored in setting.ini and shown
};

/// Interactive: dialogs and messages through the Ui; effects on AppState, the path box,
/// setting.ini and the preview. The window's callers ignore the outcome.
LocateOutcome locatePhotoshop(AppState& state);

} // namespace lumivel
