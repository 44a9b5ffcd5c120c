// Bringing themes into the themes folder: a zip package chosen from the theme menu, or
// packages and theme folders dropped on the main window.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumivel {

struct AppState;
class ThemeLibrary;

/// How one import ended. The user has read its message already; front ends that summarise
/// (the command line) use the kind and the cause.
struct ImportOutcome {
    enum class Kind {
        Imported,  ///< extracted or copied; the theme list is rebuilt
        Failed,    ///< reported with "解压主题包错误：" or "复制主题包错误："
        Ignored,   ///< a dropped file that is no zip package: nothing shown
        Cancelled, ///< the file dialog was cancelled: nothing shown
    };
    Kind kind = Kind::Cancelled;
    std::string item;    ///< the path as it was given
    std::string place;   ///< the theme folder it went to, or would have gone to
    std::string problem; ///< why it failed, naming the file or entry
    int code = 0;        ///< a package's extraction result code: 1, 0 or -1

    bool imported() const { return kind == Kind::Imported; }
};

class ThemeImport {
public:
    ThemeImport(AppState& state, ThemeLibrary& library) : m_state(state), m_library(library) {}

    /// "添加主题" of the theme menu: a zip package chosen in the file dialog is extracted
    /// into a theme folder named after it, then the list is rebuilt.
    ImportOutcome addPackageFromMenu();

    /// Items dropped on the main window: one path, or several each followed by CR LF.
    /// Each is imported in turn with its own message; the list is rebuilt once at the end
    /// when any import succeeded.
    std::vector<ImportOutcome> onDrop(std::string_view dropped);

    /// The same for paths given one by one: a folder (or a path that names nothing) is
    /// copied with the shell into the themes root, a file ending in ".zip" in any case is
    /// extracted, any other file is ignored.
    std::vector<ImportOutcome> importItems(const std::vector<std::string>& paths);

    /// Extracts a package into `target`: 1 when every entry was written, 0 when it failed,
    /// -1 when the path is empty or names no file.
    static int extractPackage(const std::filesystem::path& package, const std::filesystem::path& target);

private:
    ImportOutcome importItem(const std::string& path);
    ImportOutcome importPackage(const std::string& path);
    ImportOutcome importFolder(const std::string& path);

    AppState& m_state;
    ThemeLibrary& m_library;
};

} // namespace lumivel
