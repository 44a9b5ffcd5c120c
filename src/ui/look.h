// The colours and the font of the main window and its controls: light text on the
// window's dark blue, in a font that has Chinese glyphs.
#pragma once

#include <windows.h>

namespace lumivel {

class Look {
public:
    static constexpr COLORREF kBackground = RGB(0, 17, 34);
    static constexpr COLORREF kText = RGB(220, 230, 238);
    static constexpr COLORREF kLink = RGB(110, 180, 240);
    /// Inside and frame of the edit boxes.
    static constexpr COLORREF kField = RGB(12, 36, 60);
    static constexpr COLORREF kFieldFrame = RGB(47, 106, 158);

    Look();
    ~Look();
    Look(const Look&) = delete;
    Look& operator=(const Look&) = delete;

    HBRUSH backgroundBrush() const { return m_background; }
    HBRUSH fieldBrush() const { return m_field; }
    HBRUSH fieldFrameBrush() const { return m_fieldFrame; }
    /// "Microsoft YaHei UI" where it is installed, else the system's message font, 12 pixels high.
    HFONT font() const { return m_font; }

private:
    HBRUSH m_background;
    HBRUSH m_field;
    HBRUSH m_fieldFrame;
    HFONT m_font;
};

} // namespace lumivel
