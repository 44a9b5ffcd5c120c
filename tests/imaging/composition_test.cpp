#include "imaging/composition.h"

#include "imaging/builtin_images.h"
#include "imaging/imaging_fixture.h"
#include "imaging/png_codec.h"
#include "imaging/preview_picture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace lumivel {

void PrintTo(const Rgba& p, std::ostream* out) {
    *out << "(" << int(p.r) << "," << int(p.g) << "," << int(p.b) << "," << int(p.a) << ")";
}

namespace {

using testing::filledImage;
using testing::pngOf;
using testing::positionImage;

constexpr Rgba kTransparent{0, 0, 0, 0};
constexpr Rgba kTextColour{57, 197, 251, 255};
constexpr Rgba kTopLeftCorner{255, 255, 255, 71};
constexpr Rgba kBottomRightCorner{255, 255, 255, 74};

TEST(Blending, HalfTransparentOverHalfTransparentIsRoundedOnce) {
    // Red at alpha 128 over blue at alpha 128: alpha 128 + 128 * 127 / 255 = 191.75, red
    // 255 * 128 / 191.75 = 170.2, blue 255 * 128 * 127 / 255 / 191.75 = 84.8.
    EXPECT_EQ(blendOver({0, 0, 255, 128}, {255, 0, 0, 128}), (Rgba{170, 0, 85, 192}));
    EXPECT_EQ(blendOver({0, 0, 255, 128}, {255, 0, 0, 255}), (Rgba{255, 0, 0, 255})) << "opaque covers";
    EXPECT_EQ(blendOver({1, 2, 3, 4}, {255, 0, 0, 0}), (Rgba{1, 2, 3, 4})) << "transparent leaves what is below";
    EXPECT_EQ(blendOver(kTransparent, {10, 20, 30, 40}), (Rgba{10, 20, 30, 40})) << "over nothing: itself";
    EXPECT_EQ(blendOver({200, 200, 200, 255}, {0, 0, 0, 51}), (Rgba{160, 160, 160, 255}));
}

TEST(LayeredPicture, BackgroundIsScaledToTheWindowAndRegionsAreDrawnAtNaturalSizeInOrder) {
    LayeredPicture picture(4, 2);
    Image background(2, 1);
    background.setPixel(0, 0, {10, 0, 0, 255});
    background.setPixel(1, 0, {0, 0, 255, 128});
    picture.setBackground(background);
    // A 3 x 3 picture in a 2 x 1 region at 1, 1: only its top-left 2 x 1 pixels show.
    std::size_t first = picture.addRegion({1, 1, 2, 1});
    picture.region(first).image = filledImage(3, 3, {255, 0, 0, 128});
    // Drawn over the first, and cut off at the window's right edge.
    std::size_t second = picture.addRegion({2, 0, 5, 5});
    picture.region(second).image = filledImage(5, 5, {0, 255, 0, 255});

    Image composed = picture.compose();
    ASSERT_EQ(composed.width(), 4);
    ASSERT_EQ(composed.height(), 2);
    const std::vector<Rgba> expected = {
        {10, 0, 0, 255}, {10, 0, 0, 255}, {0, 255, 0, 255}, {0, 255, 0, 255},
        {10, 0, 0, 255}, {133, 0, 0, 255}, {0, 255, 0, 255}, {0, 255, 0, 255},
    };
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(composed.pixel(x, y), expected[std::size_t(y * 4 + x)]) << "at " << x << "," << y;
}

TEST(LayeredPicture, RegionsWithoutAnImageOrOutsideTheWindowDrawNothing) {
    LayeredPicture picture(3, 3);
    std::size_t undecodable = picture.addRegion({0, 0, 3, 3});
    picture.region(undecodable).setImage(bytesOf("not a png"));
    std::size_t outside = picture.addRegion({-5, -5, 4, 4});
    picture.region(outside).image = filledImage(4, 4, {1, 1, 1, 255});
    picture.setBackground(bytesOf(""));
    EXPECT_FALSE(picture.region(undecodable).image);
    EXPECT_EQ(picture.compose(), Image(3, 3));
}

// The preview window's picture for one splash and one state of the text switch.
struct PreviewCase {
    std::string name;
    Bytes splash;
    bool textHidden;
    struct Probe {
        int x, y;
        Rgba expected;
    };
    std::vector<Probe> probes;
};

// A pixel where the default text is drawn at full strength.
std::pair<int, int> solidTextPixel() {
    auto text = decodePng(builtinImagePng(BuiltinImage::DefaultTextOverlay));
    for (int y = 0; text && y < text->height(); ++y)
        for (int x = 0; x < text->width(); ++x)
            if (text->pixel(x, y).a == 255)
                return {x, y};
    ADD_FAILURE() << "the default-text picture has no opaque pixel";
    return {0, 0};
}

TEST(PreviewPicture, ComposesOverlaySplashAndTextLayer) {
    constexpr Rgba kSplash{200, 40, 90, 255};
    const Image large = positionImage(900, 600);
    const auto [tx, ty] = solidTextPixel();
    // While the text is hidden the text layer is the empty overlay too, so its corner
    // pixels tint the splash's corners.
    const std::vector<PreviewCase> cases = {
        {"smaller splash, text shown",
         pngOf(filledImage(300, 200, kSplash)),
         false,
         {{0, 0, kSplash}, {299, 199, kSplash}, {300, 100, kTransparent}, {100, 200, kTransparent},
          {837, 505, kBottomRightCorner}, {tx, ty, kTextColour}}},
        {"smaller splash, text hidden",
         pngOf(filledImage(300, 200, kSplash)),
         true,
         {{0, 0, {215, 100, 136, 255}}, {1, 1, kSplash}, {300, 100, kTransparent}, {837, 505, {255, 255, 255, 127}},
          {tx, ty, kTransparent}}},
        {"splash of the window's size",
         pngOf(filledImage(838, 506, kSplash)),
         false,
         {{0, 0, kSplash}, {837, 505, kSplash}, {tx, ty, kTextColour}}},
        {"larger splash: its top-left part, unscaled",
         pngOf(large),
         true,
         {{1, 1, large.pixel(1, 1)}, {836, 504, large.pixel(836, 504)}, {400, 300, large.pixel(400, 300)},
          {837, 505, {123, 251, 109, 255}}}},
        {"half-transparent splash over the overlay's half-transparent corner",
         pngOf(filledImage(10, 10, {0, 0, 255, 128})),
         false,
         {{0, 0, {55, 55, 255, 163}}, {5, 5, {0, 0, 255, 128}}}},
        {"empty bytes, text shown: the empty overlay alone",
         {},
         false,
         {{0, 0, kTopLeftCorner}, {837, 505, kBottomRightCorner}, {1, 0, kTransparent}, {419, 253, kTransparent}}},
        {"empty bytes, text hidden: the overlay twice",
         {},
         true,
         {{0, 0, {255, 255, 255, 122}}, {837, 505, {255, 255, 255, 127}}, {tx, ty, kTransparent}}},
        {"undecodable bytes: the overlay and the text",
         bytesOf("\x89PNG\r\n\x1a\n broken"),
         false,
         {{0, 0, kTopLeftCorner}, {837, 505, kBottomRightCorner}, {tx, ty, kTextColour}}},
    };
    for (const PreviewCase& c : cases) {
        PreviewPicture preview;
        preview.showSplash(c.splash);
        preview.showTextLayer(c.textHidden);
        Image composed = preview.compose();
        ASSERT_EQ(composed.width(), kPreviewWidth) << c.name;
        ASSERT_EQ(composed.height(), kPreviewHeight) << c.name;
        for (const auto& probe : c.probes)
            EXPECT_EQ(composed.pixel(probe.x, probe.y), probe.expected)
                << c.name << ", at " << probe.x << "," << probe.y;
    }
}

// Every pixel but the two corners, which the overlays tint: how many differ from `expected`.
int differencesBesideTheCorners(const Image& picture, const Image& expected) {
    int differences = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            bool corner = (x == 0 && y == 0) || (x == picture.width() - 1 && y == picture.height() - 1);
            differences += !corner && picture.pixel(x, y) != expected.pixel(x, y);
        }
    return differences;
}

TEST(PreviewPicture, StartsWithThePlaceholderSplashAndNoText) {
    auto placeholder = decodePng(builtinImagePng(BuiltinImage::PlaceholderSplash));
    ASSERT_TRUE(placeholder);
    EXPECT_EQ(differencesBesideTheCorners(PreviewPicture().compose(), *placeholder), 0);
}

TEST(PreviewPicture, HidingTheTextAndShowingItAgainKeepsTheSplash) {
    const Image splash = filledImage(838, 506, {9, 9, 9, 255});
    PreviewPicture preview;
    preview.showSplash(pngOf(splash));
    preview.showTextLayer(false);
    Image withText = preview.compose();
    EXPECT_GT(differencesBesideTheCorners(withText, splash), 1000);
    preview.showTextLayer(true);
    EXPECT_EQ(differencesBesideTheCorners(preview.compose(), splash), 0);
    preview.showTextLayer(false);
    EXPECT_EQ(preview.compose(), withText);
}

TEST(PremultipliedBgra, MultipliesColoursByAlphaAndSwapsRedAndBlue) {
    Image image(3, 1);
    image.setPixel(0, 0, {255, 0, 0, 128});
    image.setPixel(1, 0, {10, 20, 30, 0});
    image.setPixel(2, 0, {200, 100, 50, 255});
    EXPECT_EQ(premultipliedBgra(image), (Bytes{0, 0, 128, 128, 0, 0, 0, 0, 50, 100, 200, 255}));
}

} // namespace
} // namespace lumivel
