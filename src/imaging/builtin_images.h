// The pictures built into the program: the splash preview's placeholder and overlays and
// the backdrop's frame. They are drawn by assets/make-preview-images.sh and compiled in
// from assets/preview/, so every program reads the same bytes.
#pragma once

#include "platform/bytes.h"

namespace lumivel {

enum class BuiltinImage {
    PlaceholderSplash,  ///< 838 x 506: the splash picture until the first look is shown
    EmptyOverlay,       ///< 838 x 506: transparent but for two corner pixels
    DefaultTextOverlay, ///< 832 x 500: Photoshop's startup text in its place, light blue
    BackdropFrame,      ///< 842 x 195: the frame and shadow around the main window
};

/// The PNG bytes of a built-in picture.
ByteView builtinImagePng(BuiltinImage which);

} // namespace lumivel
