// The two seams between the core and the screen. Operations report to the user and
// change what the main window shows only through these, so they run the same in the
// Windows program, the command-line tool and the tests.
#pragma once

#include "platform/bytes.h"
#include "platform/result.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumivel {

enum class MessageIcon { None, Error };

/// What the file chooser answers when nothing was chosen.
inline constexpr std::string_view kNothingChosen = "失败";

/// Caption of a message box that was given none.
inline constexpr std::string_view kDefaultCaption = "信息：";

/// Dialogs and the cursor.
class Ui {
public:
    virtual ~Ui() = default;

    /// A modal message box with an OK button. An empty caption shows as "信息：".
    virtual void showMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;

    /// The open-file dialog. `filter` is pairs of display name and pattern separated by
    /// '|'; `initialFolder` and `title` may be empty. Gives the chosen path, or "失败".
    virtual std::string chooseFile(std::string_view filter, std::string_view initialFolder, std::string_view title) = 0;

    virtual void beginWaitCursor() = 0;
    virtual void endWaitCursor() = 0;

    /// Pops up the menu `menuName` at the mouse position. An empty item is a separator.
    /// Gives the position of the chosen item, or nothing when the menu was dismissed.
    virtual std::optional<std::size_t> chooseMenuItem(std::string_view menuName, std::span<const std::string_view> items) = 0;

    /// Asks the shell to explore a folder in a normal window; any error is the shell's to show.
    virtual void exploreFolder(const std::filesystem::path& folder) = 0;
    /// Asks the shell to open a web address in a normal window.
    virtual void openAddress(std::string_view address) = 0;
    /// Copies `folder` with everything in it into `destination`, where it keeps its name, with
    /// the shell's own copy: its progress window and its questions (before merging into a
    /// folder of the same name, for instance). Fails when the copy failed or the user cancelled.
    virtual Result<void> copyFolder(const std::filesystem::path& folder, const std::filesystem::path& destination) = 0;
};

/// Shows the wait cursor for as long as it lives, whichever way the scope is left.
class WaitCursor {
public:
    explicit WaitCursor(Ui& ui) : m_ui(ui) { m_ui.beginWaitCursor(); }
    ~WaitCursor() { m_ui.endWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Ui& m_ui;
};

/// Which of the three badges under a theme's description are bright: the theme has a 1x
/// splash ("图形按钮_1X"), a 2x splash ("图形按钮_2X"), a startup text of its own ("图形按钮_T").
struct ThemeBadges {
    bool has1x = false;
    bool has2x = false;
    bool hasText = false;
    bool operator==(const ThemeBadges&) const = default;
};

/// The two links under a theme's description.
enum class ThemeLink {
    Author,    ///< "超级链接框2", beside "作者："
    Reference, ///< "超级链接框1", beside "引用："
};

/// Shows an error's message with its caption and icon; an error without a message shows nothing.
void reportError(Ui& ui, const Error& error);

/// What the main window and the splash preview show.
class View {
public:
    virtual ~View() = default;

    /// The Photoshop path box ("编辑框1").
    virtual void setPathText(std::string_view text) = 0;
    /// The description box ("编辑框8").
    virtual void setDescription(std::string_view text) = 0;
    /// The icon boxes "图标_暗" and "图标_亮"; empty bytes leave a box blank.
    virtual void setDarkIcon(ByteView png) = 0;
    virtual void setLightIcon(ByteView png) = 0;
    /// The selected state of the hide-text switch ("图形按钮20").
    virtual void setTextHiddenSwitch(bool selected) = 0;

    /// The splash picture of the preview window; empty bytes show no splash.
    virtual void showSplash(ByteView png) = 0;
    /// The preview's text layer: nothing when the text is hidden, else Photoshop's default text.
    virtual void showTextLayer(bool textHidden) = 0;
    /// Composes the preview anew and puts it on the screen.
    virtual void refreshPreview() = 0;

    /// The theme selector "组合框1": its entries, replacing all it held.
    virtual void setThemeEntries(const std::vector<std::string>& entries) = 0;
    /// Selects the entry at `position` of the selector without running its selection handler.
    virtual void setSelectedThemeEntry(std::size_t position) = 0;
    /// The text of the selector's own face, the label "伪组合框文字" on "图片框1".
    virtual void setSelectorFaceText(std::string_view text) = 0;
    /// Unfolded: the real list "组合框1" shown with its drop-down list open and the face hidden.
    /// Folded: the face shown and the real list hidden.
    virtual void setSelectorUnfolded(bool unfolded) = 0;
    /// Shows or hides the three badges together.
    virtual void setBadgesVisible(bool visible) = 0;
    /// Bright or dimmed faces of the three badges; they never react to clicks.
    virtual void setBadges(ThemeBadges badges) = 0;
    /// A link's caption and the address a click opens; an empty address opens nothing.
    virtual void setLink(ThemeLink link, std::string_view caption, std::string_view address) = 0;
};

inline void reportError(Ui& ui, const Error& error) {
    if (!error.message.empty())
        ui.showMessage(error.message, error.caption, error.errorIcon ? MessageIcon::Error : MessageIcon::None);
}

} // namespace lumivel
