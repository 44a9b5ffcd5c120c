#include "ui/tooltips.h"

#include <commctrl.h>

#include <string>

namespace lumivel {

namespace {
// Wide enough for the backup link's two lines; a width at all makes "\r\n" break lines.
constexpr int kMaxTipWidth = 480;
} // namespace

Tooltips::~Tooltips() {
    if (m_tooltip && IsWindow(m_tooltip))
        DestroyWindow(m_tooltip);
}

bool Tooltips::create(HWND owner) {
    m_owner = owner;
    m_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!m_tooltip)
        return false;
    SendMessageW(m_tooltip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    return true;
}

void Tooltips::add(HWND control, std::wstring_view text) {
    if (!m_tooltip)
        return;
    std::wstring copy(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = m_owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = copy.data(); // the tooltip keeps its own copy
    SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace lumivel
