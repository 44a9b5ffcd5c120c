// The theme selector "组合框1" of the main window: its entries ("[当前]", "[默认]", then
// the themes), what picking one shows, the previous/next buttons, the selector's folded
// face, the theme menu and the folders and page it opens.
#pragma once

#include "themes/look_entries.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumivel {

struct AppState;
class ThemeImport;

/// The template folder beside the program, and the page that offers more themes.
inline constexpr std::string_view kTemplateFolder = "模板";
inline constexpr std::string_view kMoreThemesAddress = "https://github.com/search?q=lumivel+theme&type=repositories";

class ThemeLibrary {
public:
    explicit ThemeLibrary(AppState& state) : m_state(state) {}

    /// Scans the themes root and refills the selector; ends with "[当前]" selected and on the
    /// face, without showing it: the description, badges, links and preview stay as they were.
    void rebuildList();

    /// Shows the selected entry: folds the selector, then "[当前]" and "[默认]" show the
    /// installed look, any other entry the theme of that name. Handler of a picked entry, of
    /// the previous/next buttons and of clicks on the window's background.
    void onSelectionChanged();

    /// Reads the theme `name` from disk and shows it: description, badges, links, the
    /// hide-text switch (and the text-hidden flag), the 1x splash, the two 1x icons.
    void showTheme(std::string_view name);

    /// The next and the previous entry, wrapping around across the pseudo-entries, then shown.
    void selectNext();
    void selectPrevious();

    /// The user picked the entry at `position` in the unfolded list.
    void pickEntry(std::size_t position);

    /// A click on the face: the real list is shown with its drop-down open.
    void unfoldSelector();
    /// The real list lost the focus or its text changed: back to the face, with the list's
    /// text on it; the preview is not touched.
    void foldSelector();

    /// Pops up "主题菜单" ("添加主题", a separator, "打开主题目录", "获取更多主题...") and runs
    /// the chosen command; adding a theme goes to `import`.
    void showThemeMenu(ThemeImport& import);

    /// The shell explores the themes root, or the template folder beside the program.
    void openThemesFolder();
    void openTemplateFolder();
    /// The shell opens the page that offers more themes.
    void openMoreThemesPage();

    const std::vector<std::string>& entries() const { return m_entries; }
    std::optional<std::size_t> selectedPosition() const { return m_selected; }
    /// The text of the selected entry; empty when none is selected.
    std::string selectedEntry() const;

private:
    void select(std::size_t position);

    AppState& m_state;
    std::vector<std::string> m_entries;
    std::optional<std::size_t> m_selected;
};

} // namespace lumivel
