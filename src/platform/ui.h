// The two seams between the core and the screen. Operations report to the user and
// change what the main window shows only through these, so they run the same in the
// Windows program, the command-line tool and the tests.
#pragma once

#include "platform/bytes.h"
#include "platform/result.h"

#include <cstddef>
#include <string>
#include <string_view>

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
};

inline void reportError(Ui& ui, const Error& error) {
    if (!error.message.empty())
        ui.showMessage(error.message, error.caption, error.errorIcon ? MessageIcon::Error : MessageIcon::None);
}

} // namespace lumivel
