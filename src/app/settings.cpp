#include "app/settings.h"

#include "platform/ini.h"

namespace lumivel {

namespace {
constexpr std::string_view kSection = "lumivel";
constexpr std::string_view kKey = "photoshop";
} // namespace

std::string readStoredPhotoshopRoot(const std::filesystem::path& settingsFile) {
    return IniDocument::load(settingsFile).value(kSection, kKey);
}

Result<void> storePhotoshopRoot(const std::filesystem::path& settingsFile, std::string_view root) {
    IniDocument settings = IniDocument::load(settingsFile);
    settings.setValue(kSection, kKey, root);
    return settings.save(settingsFile);
}

} // namespace lumivel
