#include "imaging/imaging_fixture.h"

#include "imaging/png_codec.h"

#include <gtest/gtest.h>

namespace lumivel::testing {

Image filledImage(int width, int height, Rgba colour) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, colour);
    return image;
}

Image positionImage(int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           {std::uint8_t(x % 256), std::uint8_t(y % 256), std::uint8_t(x / 256 * 16 + y / 256), 255});
    return image;
}

Bytes pngOf(const Image& image) {
    auto png = encodePng(image);
    EXPECT_TRUE(png.ok());
    return png.ok() ? png.value() : Bytes();
}

} // namespace lumivel::testing
