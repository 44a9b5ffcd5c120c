// The program's one open-file dialog, used to find Photoshop.exe, theme packages and images.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace lumivel {

class FileDialog {
public:
    /// Shows the system's open-file dialog, modal to `owner`, and gives the full path of
    /// the chosen file (any Unicode path, of any length), or "失败" when the user cancels
    /// or the dialog cannot be shown. `filter` is pairs of display name and pattern
    /// separated by '|' ("PNG 图片|*.png"); the first pair is selected. An empty
    /// `initialFolder` or `title` leaves the system's default. The chosen file need not
    /// exist, and no extension is added to a typed name.
    static std::string chooseFile(HWND owner, std::string_view filter, std::string_view initialFolder,
                                  std::string_view title);
};

} // namespace lumivel
