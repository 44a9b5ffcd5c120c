// Reading and writing PNG images (libpng).
#pragma once

#include "imaging/image.h"
#include "platform/bytes.h"
#include "platform/result.h"

#include <optional>

namespace lumivel {

/// Pictures larger than this many pixels are not decoded: a few bytes of PNG could
/// otherwise ask for gigabytes. Far above any splash (Photoshop's 2x splash is 1676 x 1012).
inline constexpr std::size_t kMaxDecodedPixels = std::size_t(64) * 1024 * 1024;

/// The picture that PNG bytes hold (the first frame when there are several), or nothing
/// when the bytes are empty, are not a PNG, are damaged or are larger than kMaxDecodedPixels.
std::optional<Image> decodePng(ByteView png);

/// The picture as PNG bytes with an alpha channel.
Result<Bytes> encodePng(const Image& image);

} // namespace lumivel
