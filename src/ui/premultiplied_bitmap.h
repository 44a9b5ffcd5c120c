// A picture in the form Windows blends from: a 32-bit top-down DIB section with colours
// multiplied by alpha, selected into a memory device context.
#pragma once

#include "imaging/image.h"

#include <windows.h>

namespace lumivel {

class PremultipliedBitmap {
public:
    /// Copies `image` into a new DIB section; not valid() when the system refuses one.
    explicit PremultipliedBitmap(const Image& image);
    ~PremultipliedBitmap();
    PremultipliedBitmap(const PremultipliedBitmap&) = delete;
    PremultipliedBitmap& operator=(const PremultipliedBitmap&) = delete;

    bool valid() const { return m_bitmap != nullptr; }
    /// The memory device context that holds the bitmap.
    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    /// Draws the picture at its natural size with its top-left corner at x, y of `target`,
    /// blended over what is there and cut off at `width` x `height`.
    void drawOn(HDC target, int x, int y, int width, int height) const;

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
};

} // namespace lumivel
