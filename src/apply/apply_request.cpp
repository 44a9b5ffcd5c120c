#include "apply/apply_request.h"

#include "platform/files.h"
#include "platform/text.h"
#include "themes/theme.h"

namespace lumivel {

namespace {

// A slot takes a file: a folder of that name is no image.
bool isExistingFile(const std::filesystem::path& path) { return files::exists(path) && !files::isDirectory(path); }

} // namespace

ApplyRequest requestForImages(const SlotImages& texts, bool textHidden) {
    ApplyRequest request;
    request.textHidden = textHidden;
    request.kind = RequestKind::CustomImages;
    for (std::size_t i = 0; i < kImageSlots.size(); ++i) {
        if (!texts[i].empty() && isExistingFile(pathFromText(texts[i])))
            request.images[i] = texts[i];
    }
    return request;
}

ApplyRequest requestForEntry(const std::filesystem::path& themesRoot, std::string_view entry, bool textHidden) {
    ApplyRequest request;
    request.textHidden = textHidden;
    if (entry == kCurrentLookEntry) {
        request.kind = RequestKind::CurrentLook;
        return request;
    }
    if (entry == kDefaultLookEntry) {
        request.kind = RequestKind::DefaultLook;
        return request;
    }
    request.kind = RequestKind::ThemeLook;
    request.themeName = std::string(entry);
    // Only the files count here; the description file plays no part in applying.
    std::filesystem::path folder = themeFolder(themesRoot, entry);
    for (std::size_t i = 0; i < kImageSlots.size(); ++i) {
        auto file = folder / pathFromText(kImageSlots[i].themeFile);
        if (isExistingFile(file))
            request.images[i] = textFromPath(file);
    }
    auto textFile = folder / pathFromText(kThemeTextFile);
    if (isExistingFile(textFile))
        request.textFile = textFromPath(textFile);
    return request;
}

} // namespace lumivel
