// What one Apply works on, and the one place that turns the user's choice into it: a
// selector entry (a theme's name or a pseudo-entry) or the six hand-picked image paths.
// The window builds its request from its controls, the command line from its arguments.
#pragma once

#include "slots/image_slot.h"
#include "themes/look_entries.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumivel {

/// One image path per slot, in slot-table order; empty leaves the slot as the backup has it.
using SlotImages = std::array<std::string, kImageSlots.size()>;

enum class RequestKind {
    CurrentLook,  ///< "[当前]": only the text changes
    DefaultLook,  ///< "[默认]": every file back from the backup
    ThemeLook,    ///< a theme folder
    CustomImages, ///< the six slots of the custom page
};

struct ApplyRequest {
    RequestKind kind = RequestKind::CurrentLook;
    std::string themeName;   ///< ThemeLook: the selector's text
    SlotImages images;       ///< ThemeLook and CustomImages: the files that exist
    bool textHidden = false; ///< the text-hidden switch when Apply was pressed
    std::string textFile;    ///< ThemeLook: the theme's word.txt when it exists
};

/// The request of the theme page for the selector's `entry`: a pseudo-entry, or the theme
/// of that name below `themesRoot` with those of its six images and its text that exist.
ApplyRequest requestForEntry(const std::filesystem::path& themesRoot, std::string_view entry, bool textHidden);

/// The request of the custom page for the six edit boxes' texts: the slots whose text names
/// an existing file take it, the others keep the backup's image.
ApplyRequest requestForImages(const SlotImages& texts, bool textHidden);

} // namespace lumivel
