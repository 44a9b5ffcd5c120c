#include "app/start_up.h"

#include "app/app_state.h"
#include "app/locator.h"
#include "app/settings.h"
#include "platform/paths.h"

namespace lumivel {

void restorePhotoshopPath(AppState& state) {
    std::string candidate = readStoredPhotoshopRoot(state.settingsFile);
    if (candidate.empty()) {
        (void)locatePhotoshop(state);
        candidate = state.photoshopRoot;
    }
    // An empty candidate would test "photoshop.exe" in the working folder and could take
    // whatever folder the program was started from as Photoshop's root.
    if (candidate.empty())
        return;
    // Plain concatenation on purpose: a hand-edited value without its trailing separator
    // names a file that does not exist, and is not taken.
    if (!fileExistsIgnoringCase(candidate + "photoshop.exe"))
        return;
    state.setPhotoshopRoot(candidate);
    state.view.setPathText(state.photoshopRoot);
}

} // namespace lumivel
