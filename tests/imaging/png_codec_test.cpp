#include "imaging/png_codec.h"

#include "imaging/imaging_fixture.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

namespace lumivel {
namespace {

using testing::pngOf;

TEST(PngCodec, EncodedPicturesDecodeToTheSamePixels) {
    Image image(3, 2);
    image.setPixel(0, 0, {255, 0, 0, 255});
    image.setPixel(1, 0, {0, 255, 0, 128});
    image.setPixel(2, 0, {0, 0, 255, 1});
    image.setPixel(0, 1, {12, 34, 56, 0});
    image.setPixel(2, 1, {255, 255, 255, 71});
    auto decoded = decodePng(pngOf(image));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->rgba(), image.rgba());
    EXPECT_EQ(decoded->width(), 3);
    EXPECT_EQ(decoded->height(), 2);
}

// A PNG whose header claims another size: the IHDR fields and their checksum rewritten.
Bytes withClaimedSize(Bytes png, std::uint32_t width, std::uint32_t height) {
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = std::uint8_t(v >> (24 - 8 * i));
    };
    put32(16, width);
    put32(20, height);
    put32(29, static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17)));
    return png;
}

TEST(PngCodec, BytesThatAreNoWholePictureGiveNoImage) {
    const Bytes good = pngOf(Image(4, 4));
    struct Case {
        std::string name;
        Bytes bytes;
    };
    const std::vector<Case> cases = {
        {"empty", {}},
        {"not a PNG", bytesOf("GIF89a, not a PNG at all")},
        {"the signature alone", Bytes(good.begin(), good.begin() + 8)},
        {"cut off inside the image data", Bytes(good.begin(), good.end() - 20)},
        {"a size of 70000 x 70000 pixels", withClaimedSize(good, 70000, 70000)},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(decodePng(c.bytes)) << c.name;
    EXPECT_TRUE(decodePng(withClaimedSize(good, 4, 4))) << "the rewritten header itself is sound";
}

TEST(PngCodec, AnEmptyPictureIsNotEncoded) {
    auto png = encodePng(Image());
    ASSERT_FALSE(png.ok());
    EXPECT_FALSE(png.error().message.empty());
}

} // namespace
} // namespace lumivel
