#include "ui/layered_window.h"

#include "ui/premultiplied_bitmap.h"

namespace lumivel {

bool LayeredWindow::create(const wchar_t* title, int width, int height, HWND owner) {
    int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    WindowClass windowClass{L"LumivelLayeredWindow"};
    return createWindow(windowClass, WS_EX_LAYERED, WS_POPUP, title, {left, top, left + width, top + height}, owner);
}

void LayeredWindow::show(const Image& picture) {
    if (!hwnd())
        return;
    PremultipliedBitmap bitmap(picture);
    if (!bitmap.valid())
        return;
    HDC screen = GetDC(nullptr);
    POINT origin{0, 0};
    SIZE size{bitmap.width(), bitmap.height()};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    // No destination point: the window keeps its place.
    UpdateLayeredWindow(hwnd(), screen, nullptr, &size, bitmap.dc(), &origin, 0, &blend, ULW_ALPHA);
    ReleaseDC(nullptr, screen);
}

void LayeredWindow::reveal() {
    if (hwnd())
        ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

void LayeredWindow::moveTo(int left, int top) {
    if (hwnd())
        SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT LayeredWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        if (m_behaviour.draggedFromAnywhere) {
            LRESULT hit = Window::onMessage(message, wParam, lParam);
            return hit == HTCLIENT ? HTCAPTION : hit;
        }
        break;
    case WM_MOUSEACTIVATE:
        // A window that neither moves nor closes has no use for the focus; the main window keeps it.
        if (!m_behaviour.draggedFromAnywhere && !m_behaviour.closedByEscape)
            return MA_NOACTIVATE;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE && m_behaviour.closedByEscape) {
            DestroyWindow(hwnd());
            return 0;
        }
        break;
    }
    return Window::onMessage(message, wParam, lParam);
}

} // namespace lumivel
