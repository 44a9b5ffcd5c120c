#include "ui/look.h"

#include <cwchar>
#include <initializer_list>

namespace lumivel {

namespace {

constexpr int kFontPixelHeight = 12;

bool fontInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(
        screen, &wanted,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// The window's texts are Chinese: prefer the Chinese UI fonts of Windows, and otherwise
// take the system's message font, which the system links to a font with Chinese glyphs.
HFONT createFont() {
    LOGFONTW font{};
    bool chosen = false;
    for (const wchar_t* face : {L"Microsoft YaHei UI", L"Microsoft YaHei"}) {
        if (fontInstalled(face)) {
            wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
            chosen = true;
            break;
        }
    }
    if (!chosen) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            font = metrics.lfMessageFont;
    }
    font.lfHeight = -kFontPixelHeight;
    font.lfWidth = 0;
    font.lfWeight = FW_NORMAL;
    font.lfItalic = FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    return CreateFontIndirectW(&font);
}

} // namespace

Look::Look()
    : m_background(CreateSolidBrush(kBackground)), m_field(CreateSolidBrush(kField)),
      m_fieldFrame(CreateSolidBrush(kFieldFrame)), m_font(createFont()) {}

Look::~Look() {
    DeleteObject(m_font);
    DeleteObject(m_fieldFrame);
    DeleteObject(m_field);
    DeleteObject(m_background);
}

} // namespace lumivel
