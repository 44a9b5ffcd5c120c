// The Windows program's entry: brings up the application state and the main window, and
// runs the message loop until the window is closed.
#include "app/app_state.h"
#include "ui/images.h"
#include "ui/main_window.h"
#include "ui/win32_ui.h"

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <vector>

namespace {

// The folder of Lumivel.exe, where setting.ini and the themes live.
std::filesystem::path programFolder() {
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size())
            return std::filesystem::path(std::wstring(name.data(), length)).parent_path();
        name.resize(name.size() * 2);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    lumivel::Win32Ui ui;
    lumivel::Win32View view;
    lumivel::AppState state(ui, view, programFolder());

    // The picture controls draw with GDI+; it runs from before the first window to after the last.
    lumivel::GdiplusSession gdiplus;

    lumivel::MainWindow window(state, ui, view);
    if (!window.create())
        return 1;
    window.show(showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.handleWindowKey(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
