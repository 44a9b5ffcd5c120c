#include "locale/locale_dictionary.h"

#include "installation/backup_store.h"
#include "locale/custom_block.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <string>

namespace lumivel {

namespace {

constexpr std::string_view kErrorCaption = "错误";

} // namespace

LocaleDictionary::LocaleDictionary(const Installation& installation, Ui& ui) : m_installation(installation), m_ui(ui) {}

bool LocaleDictionary::putTextBack() {
    BackupStore backup(m_installation, m_ui);
    if (backup.restoreFile(BackupFolder::Dictionary, kDictionaryFileName))
        return true;
    m_ui.showMessage("重置文件错误：" + backup.backupPathOf(BackupFolder::Dictionary, kDictionaryFileName), kErrorCaption,
                     MessageIcon::Error);
    return false;
}

void LocaleDictionary::restoreDefault() {
    putTextBack();
    if (hasCustomBlock())
        m_ui.showMessage("你的备份文件不正确，这导致你无法恢复默认的启动文字", kErrorCaption, MessageIcon::None);
}

void LocaleDictionary::writeCustomText(std::string_view textFile) {
    bool restored = putTextBack();
    std::string livePath = m_installation.dictionaryFile();
    auto live = files::readFile(pathFromText(livePath));
    // Appending to nothing would make the block alone the whole dictionary and take every
    // other text from Photoshop; the file stays as the restore left it.
    if (!live) {
        m_ui.showMessage("读取字典文件错误，启动文字未写入：" + livePath, kErrorCaption, MessageIcon::Error);
        return;
    }
    Bytes dictionary = std::move(live).value();

    Bytes block;
    if (textFile.empty()) {
        // Every name Photoshop rotates through is hidden: the names come from Photoshop's own
        // text, which is what the live file now holds when the restore worked.
        std::vector<Bytes> names;
        if (restored) {
            names = rotatingNameKeys(dictionary);
        } else {
            BackupStore backup(m_installation, m_ui);
            names = rotatingNameKeys(
                files::readFileOrEmpty(pathFromText(backup.backupPathOf(BackupFolder::Dictionary, kDictionaryFileName))));
        }
        block = hiddenTextBlock(names);
    } else {
        // An unreadable text file gives an empty body: the block is the two marker lines.
        block = themeTextBlock(files::readFileOrEmpty(pathFromText(textFile)));
    }
    append(dictionary, block);

    if (!files::writeFileAtomic(pathFromText(livePath), dictionary))
        m_ui.showMessage("写入字典文件错误，启动文字未写入：" + livePath, kErrorCaption, MessageIcon::Error);
}

bool LocaleDictionary::hasCustomBlock() const {
    return holdsCustomBlock(files::readFileOrEmpty(pathFromText(m_installation.dictionaryFile())));
}

} // namespace lumivel
