// A frameless top-level window whose look is one picture with per-pixel alpha, put on
// the screen whole: the desktop shows through its transparent pixels, and clicks on
// fully transparent pixels go to what lies beneath.
#pragma once

#include "imaging/image.h"
#include "ui/window.h"

namespace lumivel {

class LayeredWindow : public Window {
public:
    struct Behaviour {
        bool draggedFromAnywhere; ///< a press with the left button anywhere moves the window
        bool closedByEscape;      ///< Esc closes the window while it is active
    };

    explicit LayeredWindow(Behaviour behaviour) : m_behaviour(behaviour) {}

    /// Creates the window, hidden, centred on the screen and owned by `owner`, so that it
    /// stays above it, goes with it when it is minimised and has no taskbar button.
    bool create(const wchar_t* title, int width, int height, HWND owner);

    /// Puts `picture` on the screen as the window's look. Does nothing once the window is closed.
    void show(const Image& picture);
    /// Makes the window visible without taking the focus.
    void reveal();
    void moveTo(int left, int top);

private:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    Behaviour m_behaviour;
};

} // namespace lumivel
