// The preview window above the main window, which shows at full size what Photoshop's
// startup screen will look like, and the backdrop window, which frames the main window.
// Both are layered windows owned by the main window; their pictures are composed by
// PreviewPicture, the same composition the command line writes as preview.png.
#pragma once

#include "imaging/preview_picture.h"
#include "platform/bytes.h"
#include "ui/layered_window.h"

#include <windows.h>

namespace lumivel {

class SplashPreview {
public:
    /// The preview window's top edge, and how far below the preview's height the main
    /// window's top edge lies (506 + 8 = 514).
    static constexpr int kPreviewTop = 2;
    static constexpr int kMainWindowBelowPreview = 8;
    /// Where the backdrop lies from the main window's top-left corner.
    static constexpr int kBackdropLeft = -9;
    static constexpr int kBackdropTop = -5;

    SplashPreview();

    /// Creates the backdrop and the preview window, owned by `mainWindow`, with their
    /// start pictures (the frame; the placeholder splash with no text), and places the
    /// three windows: the preview at the top of the screen, the main window below it and
    /// the backdrop around the main window; the left edges stay centred. The two windows
    /// are shown with reveal().
    bool create(HWND mainWindow);
    /// Shows the two windows, once the main window is shown.
    void reveal();

    /// The splash picture; bytes that do not decode (empty ones too) show none.
    void showSplash(ByteView png);
    /// The text layer: nothing while the text is hidden, else Photoshop's default text.
    void showTextLayer(bool textHidden);
    /// Composes the preview anew and puts it on the screen. Once the user has closed the
    /// preview window this changes nothing, and the program goes on without it.
    void refresh();
    /// Keeps the backdrop around the main window, whose top-left corner is now at left, top.
    void followMainWindow(int left, int top);

private:
    PreviewPicture m_picture;
    LayeredWindow m_backdrop;
    LayeredWindow m_preview;
};

} // namespace lumivel
