#include "ui/main_window.h"

#include "app/app_state.h"
#include "app/locator.h"
#include "app/start_up.h"
#include "ui/resource_ids.h"
#include "ui/win32_ui.h"

#include <iterator>

namespace lumivel {

namespace {

constexpr int kFirstCommandId = 100;

// Whether every row stands at the place of its MainControl, the place it is looked up by.
template <typename Row, std::size_t N>
constexpr bool rowsInControlOrder(const Row (&rows)[N]) {
    if (N != static_cast<std::size_t>(MainControl::Count))
        return false;
    for (std::size_t row = 0; row < N; ++row) {
        if (rows[row].id != static_cast<MainControl>(row))
            return false;
    }
    return true;
}

} // namespace

/// One control of the main window: its form and what a click on it does.
struct MainWindow::Row {
    MainControl id;
    ControlForm form;
    void (MainWindow::*onClick)();
};

// The main window's form. A row's place in the table is its MainControl and, from
// kFirstCommandId on, its command id.
constexpr MainWindow::Row MainWindow::kRows[] = {
    {MainControl::PathCaption, {L"标签1", ControlKind::Label, {20, 132, 68, 32}, L"Ps 路径："}, nullptr},
    {MainControl::PathBox, {L"编辑框1", ControlKind::EditBox, {71, 133, 81, 32}, L""}, nullptr},
    {MainControl::LocateButton,
     {L"图形按钮2", ControlKind::PictureButton, {158, 140, 48, 24}, L"", IDR_BUTTON_LOCATE},
     &MainWindow::locatePhotoshop},
};

MainWindow::MainWindow(AppState& state, Win32Ui& ui, Win32View& view)
    : m_state(state), m_ui(ui), m_view(view), m_controls(m_look) {
    static_assert(rowsInControlOrder(kRows), "one row per MainControl, in its order");
}

bool MainWindow::create() {
    // Centred on the primary screen; without border or caption the window's rectangle is
    // its client area.
    int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    RECT place{left, top, left + kWidth, top + kHeight};
    DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
    DWORD exStyle = WS_EX_APPWINDOW;
    AdjustWindowRectEx(&place, style, FALSE, exStyle);
    WindowClass windowClass{L"LumivelMainWindow", IDI_LUMIVEL};
    return createWindow(windowClass, exStyle, style, L"Lumivel v1.0", place, nullptr);
}

void MainWindow::show(int showCommand) {
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
}

bool MainWindow::handleWindowKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE || !hwnd())
        return false;
    if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd))
        return false;
    PostMessageW(hwnd(), WM_CLOSE, 0, 0);
    return true;
}

bool MainWindow::onCreate() {
    m_ui.setOwner(hwnd());
    for (std::size_t row = 0; row < std::size(kRows); ++row) {
        if (!m_controls.add(hwnd(), kRows[row].form, kFirstCommandId + static_cast<int>(row)))
            return false;
    }
    m_view.attach(*this);
    // Runs while the window is still hidden, so the Photoshop dialog comes first.
    restorePhotoshopPath(m_state);
    return true;
}

void MainWindow::onCommand(int commandId, int notification) {
    // A picture button reports a quick second click as a double click; it is a click all the same.
    if (notification != BN_CLICKED && notification != BN_DOUBLECLICKED)
        return;
    auto row = m_controls.rowOf(commandId);
    if (row && kRows[*row].onClick)
        (this->*kRows[*row].onClick)();
}

void MainWindow::locatePhotoshop() {
    (void)lumivel::locatePhotoshop(m_state);
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (m_controls.handleParentMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_CREATE:
        return onCreate() ? 0 : -1;
    case WM_NCHITTEST: {
        // The background (and the labels, which let presses through) move the window like a
        // caption bar; a press there therefore arrives as WM_NCLBUTTONDOWN with HTCAPTION.
        LRESULT hit = Window::onMessage(message, wParam, lParam);
        return hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, m_look.backgroundBrush());
        return 1;
    }
    case WM_SETCURSOR:
        if (m_ui.waiting()) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return Window::onMessage(message, wParam, lParam);
}

} // namespace lumivel
