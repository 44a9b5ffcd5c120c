#include "app/installed_look.h"

#include "app/app_state.h"
#include "app/live_index.h"
#include "installation/installation.h"
#include "locale/locale_dictionary.h"
#include "platform/paths.h"

#include <string>
#include <string_view>

namespace lumivel {

namespace {

std::string_view descriptionOf(LookSource source) {
    return source == LookSource::Current ? "当前 Photoshop 的启动画面" : "Photoshop 的默认启动画面（备份的画面）";
}

// The index file a source's entries come from: the live index, or its backup copy.
std::string indexFileOf(const AppState& state, LookSource source) {
    if (!state.isLocated())
        return {};
    if (source == LookSource::Current)
        return state.indexPath;
    return joinPath(Installation(state.photoshopRoot).resourcesBackupFolder(), {kIndexFileName});
}

} // namespace

Result<void> previewInstalledLook(AppState& state, LookSource source) {
    // A refused load keeps whatever the index held; the preview goes on with it.
    Result<void> loaded = loadIndexFile(state, indexFileOf(state, source));

    // The images always come from the live stores, also for the backup's entries: the
    // stores only ever grow, so the backup's offsets still find Photoshop's own images.
    Bytes splash = readEntryImage(state, kSplashEntry, DensityFile::LowRes);
    Bytes darkIcon = readEntryImage(state, kDarkIconEntry, DensityFile::LowRes);
    Bytes lightIcon = readEntryImage(state, kLightIconEntry, DensityFile::LowRes);

    state.view.showSplash(splash);
    state.view.setDarkIcon(darkIcon);
    state.view.setLightIcon(lightIcon);
    state.view.setDescription(descriptionOf(source));

    state.textHidden = source == LookSource::Current && state.isLocated() &&
                       LocaleDictionary(Installation(state.photoshopRoot), state.ui).hasCustomBlock();
    state.view.setTextHiddenSwitch(state.textHidden);
    state.view.showTextLayer(state.textHidden);
    state.view.refreshPreview();
    return loaded;
}

} // namespace lumivel
