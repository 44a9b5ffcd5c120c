#include "locale/locale_dictionary.h"

#include "installation/backup_store.h"
#include "locale/custom_block.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <string>

namespace lumivel {

LocaleDictionary::LocaleDictionary(const Installation& installation, Ui& ui) : m_installation(installation), m_ui(ui) {}

Result<void> LocaleDictionary::putTextBack() {
    BackupStore backup(m_installation, m_ui);
    if (backup.restoreFile(BackupFolder::Dictionary, kDictionaryFileName))
        return {};
    Error error{"重置文件错误：" + backup.backupPathOf(BackupFolder::Dictionary, kDictionaryFileName)};
    reportError(m_ui, error);
    return error;
}

Result<void> LocaleDictionary::restoreDefault() {
    Result<void> restored = putTextBack();
    if (hasCustomBlock()) {
        Error stillCustom{"你的备份文件不正确，这导致你无法恢复默认的启动文字"};
        stillCustom.errorIcon = false;
        reportError(m_ui, stillCustom);
        return stillCustom;
    }
    return restored;
}

Result<void> LocaleDictionary::writeCustomText(std::string_view textFile) {
    Result<void> restored = putTextBack();
    auto live = pathFromText(m_installation.dictionaryFile());
    BackupStore backup(m_installation, m_ui);

    // Every name Photoshop rotates through is hidden: the names come from the backup, which
    // is Photoshop's own text. An unreadable theme text file gives an empty body: the block
    // is the two marker lines.
    Bytes block = textFile.empty()
                      ? hiddenTextBlock(rotatingNameKeys(files::readFileOrEmpty(
                            pathFromText(backup.backupPathOf(BackupFolder::Dictionary, kDictionaryFileName)))))
                      : themeTextBlock(files::readFileOrEmpty(pathFromText(textFile)));

    if (restored) {
        // The live file is the backup now: the block goes on its end in place, and an append
        // that fails is cut back, leaving Photoshop's own text.
        if (!files::appendToFile(live, block))
            return notWritten("写入字典文件错误，启动文字未写入：");
        return {};
    }
    // Without the restore the block follows whatever the live file holds. Appending to
    // nothing would make the block alone the whole dictionary and take every other text from
    // Photoshop, so an unreadable live file is left as it is.
    auto text = files::readFile(live);
    if (!text)
        return notWritten("读取字典文件错误，启动文字未写入：");
    if (!files::writeFileAtomic(live, {text.value(), block}))
        return notWritten("写入字典文件错误，启动文字未写入：");
    return restored;
}

Error LocaleDictionary::notWritten(std::string_view what) {
    Error error{std::string(what) + m_installation.dictionaryFile()};
    reportError(m_ui, error);
    return error;
}

bool LocaleDictionary::hasCustomBlock() const {
    return holdsCustomBlock(files::readFileOrEmpty(pathFromText(m_installation.dictionaryFile())));
}

} // namespace lumivel
