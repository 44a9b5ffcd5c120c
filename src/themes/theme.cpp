#include "themes/theme.h"

#include "platform/files.h"
#include "platform/ini.h"
#include "platform/text.h"

namespace lumivel {

namespace {

bool hasFile(const std::filesystem::path& folder, std::string_view name) {
    return files::exists(folder / pathFromText(name));
}

} // namespace

std::filesystem::path themeFolder(const std::filesystem::path& themesRoot, std::string_view name) {
    // The name is one folder name: appended as text, so that a name that looks like an
    // absolute path cannot replace the themes root.
    std::filesystem::path folder = themesRoot;
    folder += std::filesystem::path::preferred_separator;
    folder += pathFromText(name);
    return folder;
}

Theme Theme::read(const std::filesystem::path& themesRoot, std::string_view name) {
    Theme theme;
    theme.name = std::string(name);
    theme.folder = themeFolder(themesRoot, name);
    IniDocument ini = IniDocument::load(theme.folder / pathFromText(kThemeInfoFile));
    theme.info = ini.value(kThemeInfoSection, "info", "未知");
    theme.author = ini.value(kThemeInfoSection, "by");
    theme.authorUrl = ini.value(kThemeInfoSection, "byurl");
    theme.reference = ini.value(kThemeInfoSection, "re");
    theme.referenceUrl = ini.value(kThemeInfoSection, "reurl");
    theme.hidesText = ini.value(kThemeInfoSection, "loadtext") == "no";
    theme.has1x = hasFile(theme.folder, slotInfo(ImageSlot::SplashLow).themeFile);
    theme.has2x = hasFile(theme.folder, slotInfo(ImageSlot::SplashHigh).themeFile);
    theme.hasText = hasFile(theme.folder, kThemeTextFile);
    return theme;
}

std::filesystem::path Theme::imageFile(const ImageSlotInfo& slot) const { return folder / pathFromText(slot.themeFile); }

std::filesystem::path Theme::textFile() const { return folder / pathFromText(kThemeTextFile); }

} // namespace lumivel
