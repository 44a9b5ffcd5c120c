#include "ui/premultiplied_bitmap.h"

#include <algorithm>
#include <cstring>

namespace lumivel {

PremultipliedBitmap::PremultipliedBitmap(const Image& image) : m_width(image.width()), m_height(image.height()) {
    if (image.empty())
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height; // top-down, as the picture's rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_bitmap)
        return;
    Bytes bgra = premultipliedBgra(image);
    std::memcpy(bits, bgra.data(), bgra.size());
    m_dc = CreateCompatibleDC(nullptr);
    m_previous = SelectObject(m_dc, m_bitmap);
}

PremultipliedBitmap::~PremultipliedBitmap() {
    if (m_dc) {
        SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
    }
    if (m_bitmap)
        DeleteObject(m_bitmap);
}

void PremultipliedBitmap::drawOn(HDC target, int x, int y, int width, int height) const {
    if (!valid())
        return;
    int shownWidth = std::min(width, m_width);
    int shownHeight = std::min(height, m_height);
    if (shownWidth <= 0 || shownHeight <= 0)
        return;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(target, x, y, shownWidth, shownHeight, m_dc, 0, 0, shownWidth, shownHeight, blend);
}

} // namespace lumivel
