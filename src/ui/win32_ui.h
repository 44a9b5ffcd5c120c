// The Windows program's side of the Ui and View seams: message boxes, the file dialog and
// the wait cursor, and the controls of the main window that the core writes to.
#pragma once

#include "platform/stored_view.h"
#include "platform/ui.h"

#include <windows.h>

#include <string>

namespace lumivel {

class MainWindow;

class Win32Ui : public Ui {
public:
    /// The window that owns the message boxes and dialogs (the main window, hidden or not).
    void setOwner(HWND owner) { m_owner = owner; }

    void showMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    std::string chooseFile(std::string_view filter, std::string_view initialFolder, std::string_view title) override;
    void beginWaitCursor() override;
    void endWaitCursor() override;
    /// A pop-up menu at the mouse position, owned by the owner window.
    std::optional<std::size_t> chooseMenuItem(std::string_view menuName, std::span<const std::string_view> items) override;
    /// ShellExecuteW with the "explore" verb and with "open".
    void exploreFolder(const std::filesystem::path& folder) override;
    void openAddress(std::string_view address) override;
    /// SHFileOperationW (FO_COPY, no option flags): the shell's progress window and questions.
    Result<void> copyFolder(const std::filesystem::path& folder, const std::filesystem::path& destination) override;

    /// Whether an operation runs under the wait cursor; the window keeps showing it then.
    bool waiting() const { return m_waitDepth > 0; }

private:
    HWND m_owner = nullptr;
    int m_waitDepth = 0;
    HCURSOR m_cursorBefore = nullptr;
};

/// Shows what the core gives in the main window (the path box, the description, the two
/// icons, the hide-text switch, the theme selector with its face, badges and links) and in
/// the splash preview. It keeps every value too.
class Win32View : public StoredView {
public:
    /// The window whose controls show what the core gives; before it is attached the
    /// values are only kept.
    void attach(MainWindow& window) { m_window = &window; }

    void setPathText(std::string_view text) override;
    void setDarkIcon(ByteView png) override;
    void setLightIcon(ByteView png) override;
    void setTextHiddenSwitch(bool selected) override;
    void showSplash(ByteView png) override;
    void showTextLayer(bool textHidden) override;
    void refreshPreview() override;
    void setDescription(std::string_view text) override;
    void setThemeEntries(const std::vector<std::string>& entries) override;
    void setSelectedThemeEntry(std::size_t position) override;
    void setSelectorFaceText(std::string_view text) override;
    void setSelectorUnfolded(bool unfolded) override;
    void setBadgesVisible(bool visible) override;
    void setBadges(ThemeBadges lit) override;
    void setLink(ThemeLink link, std::string_view caption, std::string_view address) override;

private:
    MainWindow* m_window = nullptr;
};

} // namespace lumivel
