// Plain tooltips for the controls of one window: one tooltip window that shows the text
// of the control under the pointer, a "\r\n" in the text breaking the line.
#pragma once

#include <windows.h>

#include <string_view>

namespace lumivel {

class Tooltips {
public:
    Tooltips() = default;
    ~Tooltips();
    Tooltips(const Tooltips&) = delete;
    Tooltips& operator=(const Tooltips&) = delete;

    /// Creates the tooltip window for the controls of `owner`; false when the system refuses.
    bool create(HWND owner);
    /// Shows `text` while the pointer rests on `control`.
    void add(HWND control, std::wstring_view text);

private:
    HWND m_owner = nullptr;
    HWND m_tooltip = nullptr;
};

} // namespace lumivel
