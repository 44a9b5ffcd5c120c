// The main window: a borderless dark strip with the Photoshop path row, the hide-text
// switch and the icons of the look shown, below the splash preview and inside the
// backdrop's frame. It is dragged by its background, labels, frames and picture boxes,
// and Esc or closing it ends the program.
#pragma once

#include "ui/controls.h"
#include "ui/look.h"
#include "ui/splash_preview.h"
#include "ui/window.h"

#include <cstddef>

namespace lumivel {

struct AppState;
class Win32Ui;
class Win32View;

/// The controls of the main window, in the order of its form table.
enum class MainControl : std::size_t {
    PathCaption,  ///< "标签1"
    PathBox,      ///< "编辑框1": shows the Photoshop root
    LocateButton, ///< "图形按钮2": locate Photoshop
    TextSwitchFrame, ///< "外形框1": frame around the hide-text switch
    TextSwitch,      ///< "图形按钮20": the hide-text switch, selected while the text is hidden
    TextSwitchLabel, ///< "透明标签1": "隐藏启动文字"; a click flips the switch
    DarkIcon,        ///< "图标_暗": app-bar icon of the dark interface of the look shown
    LightIcon,       ///< "图标_亮": app-bar icon of the light interface
    Count
};

class MainWindow : public Window {
public:
    static constexpr int kWidth = 824;
    static constexpr int kHeight = 179;

    MainWindow(AppState& state, Win32Ui& ui, Win32View& view);

    /// Creates the window, centred on the screen, and runs its creation handler: restores
    /// the Photoshop location (asking for it when none is stored), creates the preview and
    /// backdrop windows and places the three, and shows the installation's current look
    /// when its index file is there. The windows are not shown yet.
    bool create();
    /// Shows the window, and the preview and backdrop with it, for the first time.
    void show(int showCommand);

    /// Takes the keys that act on the whole window (Esc closes it) out of the message
    /// loop; true when `message` was such a key.
    bool handleWindowKey(const MSG& message);

    HWND control(MainControl which) const { return m_controls.at(static_cast<std::size_t>(which)); }
    /// The picture of a picture box; bytes that do not decode leave it blank.
    void setPicture(MainControl which, ByteView png) { m_controls.setPicture(static_cast<std::size_t>(which), png); }
    /// The selected state of a two-state button.
    void setSelected(MainControl which, bool selected) {
        m_controls.setSelected(static_cast<std::size_t>(which), selected);
    }
    SplashPreview& preview() { return m_preview; }

private:
    struct Row;
    static const Row kRows[];

    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onCreate();
    void onCommand(int commandId, int notification);

    void locatePhotoshop();
    void flipTextSwitch();
    void takeTextSwitch();

    AppState& m_state;
    Win32Ui& m_ui;
    Win32View& m_view;
    Look m_look;
    ControlSet m_controls;
    SplashPreview m_preview;
};

} // namespace lumivel
