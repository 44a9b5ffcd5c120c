#include "apply/apply_look.h"

#include "app/app_state.h"
#include "app/live_index.h"
#include "app/locator.h"
#include "apply/resource_restore.h"
#include "installation/backup_store.h"
#include "installation/installation.h"
#include "locale/locale_dictionary.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <string>

namespace lumivel {

namespace {

constexpr std::string_view kErrorCaption = "错误";

bool indexExists(const AppState& state) {
    return state.isLocated() && files::exists(pathFromText(state.indexPath));
}

bool withXStores(const AppState& state) { return state.index.layout() == IndexLayout::FourStore; }

void reportBackupMissing(AppState& state) {
    state.ui.showMessage("没有创建备份，所以无法为你进行下一步操作\r\n如果你 PS 安装在 C 盘，这可能是 Lumivel "
                         "没有目录修改权限造成，请用管理员模式运行 Lumivel 或者修改下面目录的读写权限：\r\n" +
                             state.photoshopRoot + "Locales\r\n" + state.photoshopRoot + "Resources",
                         kDefaultCaption, MessageIcon::None);
}

// The full reset of "[默认]": every file back from the backup, the dictionary included, as
// it is kept, whatever the switch says. Each failure is reported and the others go on.
void resetEverything(AppState& state, ApplyOutcome& outcome) {
    Installation installation(state.photoshopRoot);
    outcome.imagesReset = restoreIconResources(installation, state.ui, withXStores(state), AfterRestoreFailure::GoOn);
    outcome.stepFailed = !outcome.imagesReset;
    BackupStore backup(installation, state.ui);
    if (backup.restoreFile(BackupFolder::Dictionary, kDictionaryFileName)) {
        outcome.text = TextChange::RestoredDefault;
        return;
    }
    outcome.stepFailed = true;
    state.ui.showMessage("重置文件错误：" + backup.backupPathOf(BackupFolder::Dictionary, kDictionaryFileName),
                         kErrorCaption, MessageIcon::Error);
}

// Hidden text: a theme's own text when it has one, else the hidden-text block. Shown text:
// Photoshop's own, also for a theme that brings a text of its own, since the switch is
// what the user chose. A failed step is noted in the outcome.
TextChange applyText(AppState& state, const ApplyRequest& request, ApplyOutcome& outcome) {
    LocaleDictionary dictionary(Installation(state.photoshopRoot), state.ui);
    if (!request.textHidden) {
        if (!dictionary.restoreDefault())
            outcome.stepFailed = true;
        return TextChange::RestoredDefault;
    }
    bool themeText = request.kind == RequestKind::ThemeLook && !request.textFile.empty();
    if (!dictionary.writeCustomText(themeText ? request.textFile : std::string()))
        outcome.stepFailed = true;
    return themeText ? TextChange::ThemeText : TextChange::HiddenText;
}

} // namespace

ImageReset resetAndReplaceImages(AppState& state, const SlotImages& images) {
    ImageReset reset;
    Installation installation(state.photoshopRoot);
    if (!BackupStore(installation, state.ui).ensure(withXStores(state))) {
        reportBackupMissing(state);
        return reset;
    }
    reset.backupReady = true;
    if (!restoreIconResources(installation, state.ui, withXStores(state), AfterRestoreFailure::Stop)) {
        reset.imageFailed = true;
        return reset;
    }

    // Every replacement starts from the backup's entries. Should the restored index not load,
    // the program's index still holds the entries of the old live file, whose images the
    // restore has just cut off: writing through them would point the index past the stores.
    if (!loadLiveIndex(state)) {
        state.ui.showMessage("无法载入还原后的索引文件，没有写入图片：" + state.indexPath, kErrorCaption,
                             MessageIcon::Error);
        reset.imageFailed = true;
        return reset;
    }
    reset.restored = true;

    for (std::size_t i = 0; i < kImageSlots.size(); ++i) {
        if (images[i].empty())
            continue;
        const ImageSlotInfo& slot = kImageSlots[i];
        if (replaceEntryImage(state, images[i], slot.entryName, slot.density))
            reset.writtenSlots.push_back(slot.slot);
        else
            reset.imageFailed = true;
    }
    return reset;
}

ApplyOutcome applyLook(AppState& state, ApplyRequest request) {
    ApplyOutcome outcome;
    if (!indexExists(state)) {
        (void)locatePhotoshop(state);
        // The locator shows the located installation's look, its text switch included; the
        // Apply goes on with the switch as it now stands.
        request.textHidden = state.textHidden;
    }
    if (!indexExists(state)) {
        state.ui.showMessage("Photoshop 路径有误：" + state.photoshopRoot, kErrorCaption, MessageIcon::None);
        return outcome;
    }
    // The layout of the index last loaded decides whether the X stores are backed up.
    if (!BackupStore(Installation(state.photoshopRoot), state.ui).ensure(withXStores(state))) {
        reportBackupMissing(state);
        outcome.backupMissing = true;
        return outcome;
    }
    // The live index's layout decides below whether the X stores are restored; a refused
    // file leaves the index as it was, and the operation goes on with it. A refusal told as
    // an error (an empty file) still counts against the Apply.
    if (auto loaded = loadLiveIndex(state); !loaded.ok())
        outcome.stepFailed = loaded.error().errorIcon && !loaded.error().message.empty();

    outcome.request = std::move(request);
    const ApplyRequest& applied = outcome.request;
    switch (applied.kind) {
    case RequestKind::CustomImages:
    case RequestKind::ThemeLook: {
        ImageReset reset = resetAndReplaceImages(state, applied.images);
        outcome.backupMissing = !reset.backupReady;
        outcome.imagesReset = reset.restored;
        outcome.writtenSlots = reset.writtenSlots;
        outcome.stepFailed = outcome.stepFailed || reset.imageFailed || !reset.backupReady;
        outcome.text = applyText(state, applied, outcome);
        break;
    }
    case RequestKind::CurrentLook:
        outcome.text = applyText(state, applied, outcome);
        break;
    case RequestKind::DefaultLook:
        resetEverything(state, outcome);
        break;
    }

    if (applied.kind != RequestKind::CustomImages)
        state.ui.showMessage("修改完成", "应用", MessageIcon::None);
    outcome.ranToEnd = true;
    return outcome;
}

} // namespace lumivel
