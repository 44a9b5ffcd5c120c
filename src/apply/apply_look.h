// The Apply operation: turns the chosen theme, pseudo-entry or six hand-picked images and
// the text choice into modified Photoshop files, always rebuilt from the backup copies.
#pragma once

#include "apply/image_slot.h"
#include "themes/theme.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace lumivel {

struct AppState;

/// One image path per slot, in slot-table order; empty leaves the slot as the backup has it.
using SlotImages = std::array<std::string, kImageSlots.size()>;

enum class RequestKind {
    CurrentLook,  ///< "[当前]": only the text changes
    DefaultLook,  ///< "[默认]": every file back from the backup
    ThemeLook,    ///< a theme folder
    CustomImages, ///< the six slots of the custom page
};

/// What one Apply works on.
struct ApplyRequest {
    RequestKind kind = RequestKind::CurrentLook;
    std::string themeName;   ///< ThemeLook: the selector's text
    SlotImages images;       ///< ThemeLook and CustomImages
    bool textHidden = false; ///< the text-hidden flag when Apply was pressed
    std::string textFile;    ///< ThemeLook: the theme's word.txt when it exists
};

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
};

/// Builds the request from what the main window shows: the custom page's six edit boxes,
/// or the theme selector's entry and that theme's files; and the text-hidden flag.
ApplyRequest requestFromView(const AppState& state, bool fromCustomPage);

/// The handler of both Apply buttons (theme page: false, custom page: true). Everything the
/// user learns is shown in message boxes.
ApplyOutcome applyLook(AppState& state, bool fromCustomPage);

/// How an image reset went.
struct ImageReset {
    bool backupReady = false;             ///< the backup exists and is writable
    bool restored = false;                ///< index and stores were copied back and the index reloaded
    std::vector<ImageSlot> writtenSlots;  ///< the slots whose image went in
};

/// Copies the index and the stores back from the backup, reloads the index and writes the
/// given images, in slot order. Reports every failure itself.
ImageReset resetAndReplaceImages(AppState& state, const SlotImages& images);

} // namespace lumivel
