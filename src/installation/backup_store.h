// The pristine copies of Photoshop's files that every change is rebuilt from, kept in
// "lumivel_BAK" beside the icon resources and beside the locale dictionary.
#pragma once

#include "installation/installation.h"

#include <string>
#include <string_view>

namespace lumivel {

class Ui;

/// Which of the two backup folders a file belongs to.
enum class BackupFolder { Resources, Dictionary };

class BackupStore {
public:
    BackupStore(const Installation& installation, Ui& ui);

    /// Makes every missing copy (the X stores only with `withXStores`, that is in the
    /// four-store layout) and proves the backup folder writable. Existing copies are
    /// never touched. Shows its own message and returns false on the first failure.
    bool ensure(bool withXStores);

    /// A fresh backup of the live files on the user's request; the previous one is kept
    /// once as "lumivel_BAK_old". Reports every failed step and carries on; returns whether
    /// every step succeeded.
    bool recreate();

    /// Copies one backup copy over its live file. Shows nothing.
    bool restoreFile(BackupFolder folder, std::string_view fileName);

    /// The full path of a backup copy, as named in messages.
    std::string backupPathOf(BackupFolder folder, std::string_view fileName) const;
    /// The full path of a live file.
    std::string livePathOf(BackupFolder folder, std::string_view fileName) const;

private:
    std::string folderOf(BackupFolder folder) const;
    std::string backupFolderOf(BackupFolder folder) const;
    void reportCopyFailure(std::string_view path);
    bool copyToBackup(BackupFolder folder, std::string_view fileName);

    Installation m_installation;
    Ui& m_ui;
};

} // namespace lumivel
