// The one window-procedure pattern of the program: every window is a C++ object whose
// messages arrive at its onMessage from WM_NCCREATE until WM_NCDESTROY.
#pragma once

#include <windows.h>

namespace lumivel {

/// What a window class is made of; registered once, on first use.
struct WindowClass {
    const wchar_t* name;
    /// The icon resource of the window's caption, taskbar button and task switcher; 0 for none.
    int iconResource = 0;
};

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    /// The window, or null before creation and after destruction.
    HWND hwnd() const { return m_hwnd; }

protected:
    /// Creates the window. Its creation messages (WM_NCCREATE, WM_CREATE) already reach
    /// onMessage; a window whose WM_CREATE answers -1 is not created.
    bool createWindow(const WindowClass& windowClass, DWORD exStyle, DWORD style, const wchar_t* title,
                      RECT place, HWND owner);

    /// Handles one message; the default passes it to DefWindowProc.
    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
};

/// The module that holds the program's resources and window classes.
HINSTANCE programInstance();

} // namespace lumivel
