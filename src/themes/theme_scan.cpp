#include "themes/theme_scan.h"

#include "platform/files.h"
#include "platform/text.h"
#include "themes/theme.h"

#include <system_error>

namespace lumivel {

namespace fs = std::filesystem;

namespace {

bool isTheme(const fs::path& folder) {
    return files::exists(folder) && files::exists(folder / pathFromText(kThemeInfoFile)) &&
           files::exists(folder / pathFromText(kThemeSplashFile));
}

} // namespace

std::vector<std::string> scanThemes(const fs::path& themesRoot) {
    std::vector<std::string> names;
    std::error_code ec;
    // The listing never yields "." and "..": the root itself is no theme of its own.
    fs::directory_iterator it(themesRoot, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_directory(typeError))
            continue;
        std::string name = textFromPath(it->path().filename());
        if (isTheme(themeFolder(themesRoot, name)))
            names.push_back(std::move(name));
    }
    return names;
}

} // namespace lumivel
