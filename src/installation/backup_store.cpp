#include "installation/backup_store.h"

#include "installation/installation.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

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
// The probe folder that proves the backup folder writable: "TEST" followed by a tag of
// this process, so that two Lumivel processes never probe with the same folder.
constexpr std::string_view kProbeFolderName = "TEST";

bool isProbeFolderName(const std::string& name) {
    return name == kProbeFolderName || name.starts_with(std::string(kProbeFolderName) + "-");
}

// A probe is made and removed at once, so any probe folder found before a probe is one that
// a process left when it was stopped between the two steps (killed, a power cut, a scanner
// holding the folder). Taking one away is harmless even while its process still runs: its
// removal finds it gone. One that cannot be removed is left; the probe does not need its name.
void removeLeftoverProbes(const std::filesystem::path& backupFolder) {
    std::error_code ec;
    std::vector<std::filesystem::path> leftovers;
    for (std::filesystem::directory_iterator it(backupFolder, ec), end; !ec && it != end; it.increment(ec))
        if (isProbeFolderName(textFromPath(it->path().filename())))
            leftovers.push_back(it->path());
    for (const auto& leftover : leftovers)
        (void)files::removeTree(leftover);
}

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
    // What a write cut short left in the folders is cleared before anything is written.
    for (BackupFolder folder : kFolders) {
        files::removeStaleTemporaries(pathFromText(folderOf(folder)));
        files::removeStaleTemporaries(pathFromText(backupFolderOf(folder)));
    }

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
    removeLeftoverProbes(pathFromText(backupFolderOf(BackupFolder::Resources)));
    std::string probeName = std::string(kProbeFolderName) + "-" + files::uniqueNameTag();
    auto probe = pathFromText(backupPathOf(BackupFolder::Resources, probeName));
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
