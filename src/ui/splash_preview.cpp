#include "ui/splash_preview.h"

namespace lumivel {

SplashPreview::SplashPreview()
    : m_backdrop({.draggedFromAnywhere = false, .closedByEscape = false}),
      m_preview({.draggedFromAnywhere = true, .closedByEscape = true}) {}

bool SplashPreview::create(HWND mainWindow) {
    if (!m_backdrop.create(L"Lumivel 边框", kBackdropWidth, kBackdropHeight, mainWindow))
        return false;
    m_backdrop.show(composeBackdrop());
    if (!m_preview.create(L"Lumivel 启动画面预览", kPreviewWidth, kPreviewHeight, mainWindow))
        return false;
    m_picture = PreviewPicture();
    refresh();

    // All three start centred; the preview goes to the top of the screen and the main
    // window right below it. Moving the main window brings the backdrop along.
    RECT preview, main;
    GetWindowRect(m_preview.hwnd(), &preview);
    GetWindowRect(mainWindow, &main);
    m_preview.moveTo(preview.left, kPreviewTop);
    SetWindowPos(mainWindow, nullptr, main.left, kPreviewHeight + kMainWindowBelowPreview, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void SplashPreview::reveal() {
    m_backdrop.reveal();
    m_preview.reveal();
}

void SplashPreview::showSplash(ByteView png) { m_picture.showSplash(png); }

void SplashPreview::showTextLayer(bool textHidden) { m_picture.showTextLayer(textHidden); }

void SplashPreview::refresh() {
    if (m_preview.hwnd())
        m_preview.show(m_picture.compose());
}

void SplashPreview::followMainWindow(int left, int top) {
    m_backdrop.moveTo(left + kBackdropLeft, top + kBackdropTop);
}

} // namespace lumivel
