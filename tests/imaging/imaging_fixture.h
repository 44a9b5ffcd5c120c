// Small pictures for the imaging tests, made in memory.
#pragma once

#include "imaging/image.h"
#include "platform/bytes.h"

namespace lumivel::testing {

/// A picture of one colour.
Image filledImage(int width, int height, Rgba colour);

/// An opaque picture whose every pixel tells where it is: red x mod 256, green y mod 256,
/// blue x / 256 * 16 + y / 256, so a moved or scaled copy shows at once.
Image positionImage(int width, int height);

/// The picture as PNG bytes; fails the test when it cannot be encoded.
Bytes pngOf(const Image& image);

} // namespace lumivel::testing
