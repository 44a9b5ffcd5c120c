// The Apply operation: turns a request (the chosen theme, pseudo-entry or six hand-picked
// images and the text choice) into modified Photoshop files, always rebuilt from the backups.
#pragma once

#include "apply/apply_request.h"
#include "slots/image_slot.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace lumivel {

struct AppState;

/// What the text step did to the dictionary.
enum class TextChange { None, RestoredDefault, HiddenText, ThemeText };

/// What an Apply did, for front ends that summarise it; the window shows only the messages.
struct ApplyOutcome {
    bool ranToEnd = false;       ///< false: stopped for a missing installation or backup
    bool backupMissing = false;  ///< the backup could not be made (told with caption "信息：")
    ApplyRequest request;
    bool imagesReset = false;    ///< index and stores are the backup's (before any image was written)
    std::vector<ImageSlot> writtenSlots;
    TextChange text = TextChange::None;
    bool stepFailed = false;     ///< a step failed, and its message box said so as an error
};

/// The work of both Apply buttons, the theme page's (a request for an entry) and the custom
/// page's (a request for images). Everything the user learns is shown in message boxes;
/// only the theme page's Apply ends with "修改完成". When no installation is located the
/// locator runs first, and the request takes the text switch as the located installation
/// sets it.
ApplyOutcome applyLook(AppState& state, ApplyRequest request);

/// How an image reset went.
struct ImageReset {
    bool backupReady = false;             ///< the backup exists and is writable
    bool restored = false;                ///< index and stores were copied back and the index reloaded
    std::vector<ImageSlot> writtenSlots;  ///< the slots whose image went in
    bool imageFailed = false;             ///< an image or the restored index could not be written or read
};

/// Copies the index and the stores back from the backup, reloads the index and writes the
/// given images, in slot order. Reports every failure itself.
ImageReset resetAndReplaceImages(AppState& state, const SlotImages& images);

} // namespace lumivel
