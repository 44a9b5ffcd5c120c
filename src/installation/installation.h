// A located Photoshop installation: its root folder and the files Lumivel reads and changes.
#pragma once

#include <string>
#include <string_view>

namespace lumivel {

inline constexpr std::string_view kIndexFileName = "IconResources.idx";
inline constexpr std::string_view kDictionaryFileName = "tw10428.dat";
inline constexpr std::string_view kBackupFolderName = "lumivel_BAK";
inline constexpr std::string_view kOldBackupFolderName = "lumivel_BAK_old";

/// The image stores, in the order the index header lists them.
enum class DensityFile { LowRes, HighRes, XLowRes, XHighRes };

/// "PSIconsLowRes.dat" and so on.
constexpr std::string_view storeFileName(DensityFile store) {
    switch (store) {
    case DensityFile::LowRes: return "PSIconsLowRes.dat";
    case DensityFile::HighRes: return "PSIconsHighRes.dat";
    case DensityFile::XLowRes: return "PSIconsXLowRes.dat";
    case DensityFile::XHighRes: return "PSIconsXHighRes.dat";
    }
    return {};
}

/// Paths derived from the root folder (the folder that holds Photoshop.exe). Every
/// path is a text of the root with its trailing separator followed by fixed names.
class Installation {
public:
    explicit Installation(std::string_view root);

    /// The root with its trailing separator.
    const std::string& root() const { return m_root; }
    /// root + "Resources\IconResources.idx"
    std::string indexFile() const;
    /// root + "Resources" (no trailing separator)
    std::string resourcesFolder() const;
    /// root + "Locales\zh_CN\Support Files" (no trailing separator)
    std::string dictionaryFolder() const;
    /// root + "Locales\zh_CN\Support Files\tw10428.dat"
    std::string dictionaryFile() const;
    /// root + "Locales\" (where the dictionary chooser starts)
    std::string localesFolder() const;
    /// resources folder + "\lumivel_BAK"
    std::string resourcesBackupFolder() const;
    /// dictionary folder + "\lumivel_BAK"
    std::string dictionaryBackupFolder() const;

private:
    std::string m_root;
};

} // namespace lumivel
