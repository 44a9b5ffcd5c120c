// PNG images for the window's controls, decoded and drawn with GDI+.
#pragma once

#include "platform/bytes.h"

#include <windows.h>
// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out, and min and max,
// which NOMINMAX takes away.
#include <objidl.h>
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

#include <memory>

namespace lumivel {

/// GDI+ for as long as it lives. Start it before the first window that shows images,
/// and let it end after the last image is gone.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR m_token = 0;
};

/// The image that PNG bytes hold, or null when they do not decode.
std::unique_ptr<Gdiplus::Bitmap> bitmapFromPng(ByteView png);

/// A PNG image built into the program (an RCDATA resource); null when it is missing.
std::unique_ptr<Gdiplus::Bitmap> loadPngResource(int resourceId);

} // namespace lumivel
