#include "ui/images.h"

#include "ui/window.h"

#include <shlwapi.h>

namespace lumivel {

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    // Without GDI+ the picture controls simply draw nothing; the program goes on.
    if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok)
        m_token = 0;
}

GdiplusSession::~GdiplusSession() {
    if (m_token)
        Gdiplus::GdiplusShutdown(m_token);
}

std::unique_ptr<Gdiplus::Bitmap> bitmapFromPng(ByteView png) {
    if (png.empty())
        return nullptr;
    IStream* stream = SHCreateMemStream(png.data(), static_cast<UINT>(png.size()));
    if (!stream)
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> image(Gdiplus::Bitmap::FromStream(stream));
    stream->Release();
    if (!image || image->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    return image;
}

std::unique_ptr<Gdiplus::Bitmap> loadPngResource(int resourceId) {
    HINSTANCE instance = programInstance();
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!found)
        return nullptr;
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return nullptr;
    return bitmapFromPng(ByteView(static_cast<const std::uint8_t*>(bytes), SizeofResource(instance, found)));
}

} // namespace lumivel
