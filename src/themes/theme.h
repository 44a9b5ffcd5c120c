// One theme: a folder below the themes root with its description file "info.ini", up to
// six PNG images and an optional startup text "word.txt".
#pragma once

#include "slots/image_slot.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lumivel {

/// The description file of a theme folder, and the section its keys are in.
inline constexpr std::string_view kThemeInfoFile = "info.ini";
inline constexpr std::string_view kThemeInfoSection = "Lumivel_theme";
/// The theme's own startup text, dictionary lines in UTF-16LE.
inline constexpr std::string_view kThemeTextFile = "word.txt";

/// What a theme folder says about itself, read from disk each time it is asked for.
struct Theme {
    std::string name;
    std::filesystem::path folder;
    std::string info;          ///< "info", "未知" when missing
    std::string author;        ///< "by"
    std::string authorUrl;     ///< "byurl"
    std::string reference;     ///< "re"
    std::string referenceUrl;  ///< "reurl"
    bool hidesText = false;    ///< "loadtext" is exactly "no"
    bool has1x = false;        ///< "loading_low.png" exists
    bool has2x = false;        ///< "loading_high.png" exists
    bool hasText = false;      ///< "word.txt" exists

    /// Reads the theme folder `themesRoot` / `name`. A missing folder or description file
    /// gives the defaults.
    static Theme read(const std::filesystem::path& themesRoot, std::string_view name);

    /// The folder's file for an image slot ("loading_low.png" ...), whether it exists or not.
    std::filesystem::path imageFile(const ImageSlotInfo& slot) const;
    /// The folder's "word.txt", whether it exists or not.
    std::filesystem::path textFile() const;
};

/// The folder of the theme named `name` below the themes root.
std::filesystem::path themeFolder(const std::filesystem::path& themesRoot, std::string_view name);

} // namespace lumivel
