#include "imaging/preview_picture.h"

#include "imaging/builtin_images.h"

namespace lumivel {

PreviewPicture::PreviewPicture()
    : m_layers(kPreviewWidth, kPreviewHeight), m_splash(m_layers.addRegion({0, 0, kPreviewWidth, kPreviewHeight})),
      m_text(m_layers.addRegion({0, 0, kPreviewWidth, kPreviewHeight})) {
    m_layers.setBackground(builtinImagePng(BuiltinImage::EmptyOverlay));
    showSplash(builtinImagePng(BuiltinImage::PlaceholderSplash));
    showTextLayer(true);
}

void PreviewPicture::showSplash(ByteView png) { m_layers.region(m_splash).setImage(png); }

void PreviewPicture::showTextLayer(bool textHidden) {
    m_layers.region(m_text).setImage(
        builtinImagePng(textHidden ? BuiltinImage::EmptyOverlay : BuiltinImage::DefaultTextOverlay));
}

Image composeBackdrop() {
    LayeredPicture backdrop(kBackdropWidth, kBackdropHeight);
    backdrop.setBackground(builtinImagePng(BuiltinImage::BackdropFrame));
    return backdrop.compose();
}

} // namespace lumivel
