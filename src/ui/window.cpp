#include "ui/window.h"

namespace lumivel {

HINSTANCE programInstance() {
    return GetModuleHandleW(nullptr);
}

Window::~Window() {
    // The object goes first: messages sent while the window is destroyed now go to
    // DefWindowProc instead of a half-destroyed object.
    if (m_hwnd) {
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

bool Window::createWindow(const WindowClass& windowClass, DWORD exStyle, DWORD style, const wchar_t* title,
                          RECT place, HWND owner) {
    HINSTANCE instance = programInstance();
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(instance, windowClass.name, &existing)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Window::procedure;
        wc.hInstance = instance;
        if (windowClass.iconResource) {
            // Each size drawn for itself rather than the large icon scaled down.
            auto icon = [&](int width, int height) {
                return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(windowClass.iconResource), IMAGE_ICON,
                                                     GetSystemMetrics(width), GetSystemMetrics(height), LR_SHARED));
            };
            wc.hIcon = icon(SM_CXICON, SM_CYICON);
            wc.hIconSm = icon(SM_CXSMICON, SM_CYSMICON);
        }
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = windowClass.name;
        if (!RegisterClassExW(&wc))
            return false;
    }
    HWND created = CreateWindowExW(exStyle, windowClass.name, title, style, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top, owner, nullptr, instance, this);
    return created != nullptr;
}

LRESULT Window::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    if (!window)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = window->onMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        window->m_hwnd = nullptr;
    }
    return result;
}

} // namespace lumivel
