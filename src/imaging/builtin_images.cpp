#include "imaging/builtin_images.h"

#include <cstddef>

// Generated at build time from assets/preview/*.png (cmake/EmbedFile.cmake).
extern const unsigned char kPlaceholderSplashPng[];
extern const std::size_t kPlaceholderSplashPngSize;
extern const unsigned char kEmptyOverlayPng[];
extern const std::size_t kEmptyOverlayPngSize;
extern const unsigned char kDefaultTextPng[];
extern const std::size_t kDefaultTextPngSize;
extern const unsigned char kBackdropFramePng[];
extern const std::size_t kBackdropFramePngSize;

namespace lumivel {

ByteView builtinImagePng(BuiltinImage which) {
    switch (which) {
    case BuiltinImage::PlaceholderSplash:
        return {kPlaceholderSplashPng, kPlaceholderSplashPngSize};
    case BuiltinImage::EmptyOverlay:
        return {kEmptyOverlayPng, kEmptyOverlayPngSize};
    case BuiltinImage::DefaultTextOverlay:
        return {kDefaultTextPng, kDefaultTextPngSize};
    case BuiltinImage::BackdropFrame:
        return {kBackdropFramePng, kBackdropFramePngSize};
    }
    return {};
}

} // namespace lumivel
