#include "installation/installation.h"

#include "platform/paths.h"

namespace lumivel {

Installation::Installation(std::string_view root) : m_root(withTrailingBackslash(root)) {}

std::string Installation::indexFile() const { return joinPath(m_root, {"Resources", kIndexFileName}); }
std::string Installation::resourcesFolder() const { return joinPath(m_root, {"Resources"}); }
std::string Installation::dictionaryFolder() const { return joinPath(m_root, {"Locales", "zh_CN", "Support Files"}); }
std::string Installation::dictionaryFile() const { return joinPath(dictionaryFolder(), {kDictionaryFileName}); }
std::string Installation::localesFolder() const { return withTrailingBackslash(joinPath(m_root, {"Locales"})); }
std::string Installation::resourcesBackupFolder() const { return joinPath(resourcesFolder(), {kBackupFolderName}); }
std::string Installation::dictionaryBackupFolder() const { return joinPath(dictionaryFolder(), {kBackupFolderName}); }

} // namespace lumivel
