// What the splash preview window and its backdrop show, composed the same way for the
// window on the screen and for the preview.png of the command line.
#pragma once

#include "imaging/composition.h"
#include "imaging/image.h"
#include "platform/bytes.h"

namespace lumivel {

/// The preview window: Photoshop's splash screen at 1x.
inline constexpr int kPreviewWidth = 838;
inline constexpr int kPreviewHeight = 506;
/// The backdrop window around the main window.
inline constexpr int kBackdropWidth = 842;
inline constexpr int kBackdropHeight = 195;

/// The preview window's layers: its own background, the empty overlay (whose two corner
/// pixels make the picture span the whole window), the splash picture over it and the
/// text layer over that, both at the window's top-left corner. It starts with the
/// placeholder splash and no text.
class PreviewPicture {
public:
    PreviewPicture();

    /// The splash picture; bytes that do not decode (empty ones too) show no splash.
    void showSplash(ByteView png);
    /// The text layer: nothing while the text is hidden, else Photoshop's default text.
    void showTextLayer(bool textHidden);

    Image compose() const { return m_layers.compose(); }

private:
    LayeredPicture m_layers;
    std::size_t m_splash;
    std::size_t m_text;
};

/// The backdrop window's picture: the frame, drawn at the window's size.
Image composeBackdrop();

} // namespace lumivel
