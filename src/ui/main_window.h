// The main window: a borderless dark strip with the Photoshop path row. It is dragged by
// its background and labels, and Esc or closing it ends the program.
#pragma once

#include "ui/controls.h"
#include "ui/look.h"
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
    Count
};

class MainWindow : public Window {
public:
    static constexpr int kWidth = 824;
    static constexpr int kHeight = 179;

    MainWindow(AppState& state, Win32Ui& ui, Win32View& view);

    /// Creates the window, centred on the screen, and runs its creation handler, which
    /// restores the Photoshop location (asking for it when none is stored). The window
    /// is not shown yet.
    bool create();
    /// Shows the window for the first time.
    void show(int showCommand);

    /// Takes the keys that act on the whole window (Esc closes it) out of the message
    /// loop; true when `message` was such a key.
    bool handleWindowKey(const MSG& message);

    HWND control(MainControl which) const { return m_controls.at(static_cast<std::size_t>(which)); }

private:
    struct Row;
    static const Row kRows[];

    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onCreate();
    void onCommand(int commandId, int notification);

    void locatePhotoshop();

    AppState& m_state;
    Win32Ui& m_ui;
    Win32View& m_view;
    Look m_look;
    ControlSet m_controls;
};

} // namespace lumivel
