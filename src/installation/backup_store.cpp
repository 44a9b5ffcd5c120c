#include "installation/backup_store.h"

#include "installation/installation.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <array>
#include <string>

namespace lumivel {

namespace {

struct BackedUpFile {
    BackupFolder folder;
    std::string_view name;
    bool xStore; ///< backed up by ensure only in the four-store layout
};

// Every file the backup keeps, in the order it is made.
constexpr std::array<BackedUpFile, 6> kBackedUpFiles = {{
    {BackupFolder::Resources, kIndexFileName, false},
    {BackupFolder::Resources, storeFileName(DensityFile::HighRes), false},
    {BackupFolder::Resources, storeFileName(DensityFile::LowRes), false},
    {BackupFolder::Resources, storeFileName(DensityFile::XHighRes), true},
    {BackupFolder::Resources, storeFileName(DensityFile::XLowRes), true},
    {BackupFolder::Dictionary, kDictionaryFileName, false},
}};

constexpr std::array kFolders = {BackupFolder::Resources, BackupFolder::Dictionary};

constexpr std::string_view kCopyFailed = "创建备份文件失败：";
constexpr std::string_view kProbeFolderName = "TEST";

} // namespace

BackupStore::BackupStore(const Installation& installation, Ui& ui) : m_installation(installation), m_ui(ui) {}

std::string BackupStore::folderOf(BackupFolder folder) const {
    return folder == BackupFolder::Resources ? m_installation.resourcesFolder() : m_installation.dictionaryFolder();
}

std::string BackupStore::backupFolderOf(BackupFolder folder) const { return joinPath(folderOf(folder), {kBackupFolderName}); }

std::string BackupStore::backupPathOf(BackupFolder folder, std::string_view fileName) const {
    return joinPath(folderOf(folder), {kBackupFolderName, fileName});
}

std::string BackupStore::livePathOf(BackupFolder folder, std::string_view fileName) const {
    return joinPath(folderOf(folder), {fileName});
}

void BackupStore::reportCopyFailure(std::string_view path) {
    m_ui.showMessage(std::string(kCopyFailed) + std::string(path), "错误", MessageIcon::Error);
}

bool BackupStore::copyToBackup(BackupFolder folder, std::string_view fileName) {
    std::string backup = backupPathOf(folder, fileName);
    // Through a temporary file: a copy cut short never stands as a backup.
    if (files::copyFileAtomic(pathFromText(livePathOf(folder, fileName)), pathFromText(backup)).ok())
        return true;
    reportCopyFailure(backup);
    return false;
}

bool BackupStore::ensure(bool withXStores) {
    for (BackupFolder folder : kFolders) {
        std::string backupFolder = backupFolderOf(folder);
        if (!files::exists(pathFromText(backupFolder)) && !files::createFolder(pathFromText(backupFolder)).ok()) {
            reportCopyFailure(backupFolder);
            return false;
        }
        // A copy that exists is the reference, whatever the live file holds by now.
        for (const BackedUpFile& file : kBackedUpFiles) {
            if (file.folder != folder || (file.xStore && !withXStores))
                continue;
            if (!files::exists(pathFromText(backupPathOf(folder, file.name))) && !copyToBackup(folder, file.name))
                return false;
        }
    }

    // Prove that the backup folder takes new entries and lets them go again.
    auto probe = pathFromText(backupPathOf(BackupFolder::Resources, kProbeFolderName));
    if (!files::createFolder(probe).ok()) {
        m_ui.showMessage("没有目录权限02", "错误", MessageIcon::None);
        return false;
    }
    if (!files::removeTree(probe).ok()) {
        m_ui.showMessage("没有目录权限01", "错误", MessageIcon::None);
        return false;
    }
    return true;
}

bool BackupStore::recreate() {
    bool everyStep = true;
    for (BackupFolder folder : kFolders) {
        auto backupFolder = pathFromText(backupFolderOf(folder));
        if (files::exists(backupFolder)) {
            // The first backup replaced is kept as lumivel_BAK_old; once that name is taken
            // the rename changes nothing and the current backup is dropped instead.
            (void)files::renamePath(backupFolder, pathFromText(joinPath(folderOf(folder), {kOldBackupFolderName})));
            if (files::exists(backupFolder))
                (void)files::removeTree(backupFolder);
        }
        if (!files::createFolder(backupFolder).ok()) {
            reportCopyFailure(backupFolderOf(folder));
            everyStep = false;
        }
        // Every file of the folder, whatever the layout: a missing one is reported.
        for (const BackedUpFile& file : kBackedUpFiles)
            if (file.folder == folder && !copyToBackup(folder, file.name))
                everyStep = false;
    }
    return everyStep;
}

bool BackupStore::restoreFile(BackupFolder folder, std::string_view fileName) {
    auto backup = pathFromText(backupPathOf(folder, fileName));
    auto live = pathFromText(livePathOf(folder, fileName));
    // Lumivel only ever appends to Photoshop's files (images to the stores, a block to the
    // dictionary), so a live file is mostly its backup copy followed by those additions, or
    // the copy itself. Cutting it back gives the very bytes a copy would, without rewriting
    // hundreds of megabytes of stores; anything else is copied over whole.
    auto backupSize = files::fileSize(backup);
    auto liveSize = files::fileSize(live);
    if (backupSize.ok() && liveSize.ok() && liveSize.value() >= backupSize.value()) {
        auto extendsBackup = files::beginsWithContentOf(live, backup);
        if (extendsBackup.ok() && extendsBackup.value() &&
            (liveSize.value() == backupSize.value() || files::truncateFile(live, backupSize.value()).ok()))
            return true;
    }
    return files::copyFileAtomic(backup, live).ok();
}

} // namespace lumivel
