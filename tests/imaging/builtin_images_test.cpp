#include "imaging/builtin_images.h"

#include "imaging/png_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace lumivel {
namespace {

Image builtin(BuiltinImage which) {
    auto image = decodePng(builtinImagePng(which));
    EXPECT_TRUE(image) << "built-in picture " << int(which) << " does not decode";
    return image ? *image : Image();
}

TEST(BuiltinImages, HaveTheSizesOfTheirWindows) {
    struct Size {
        BuiltinImage which;
        int width, height;
    };
    for (Size s : {Size{BuiltinImage::PlaceholderSplash, 838, 506}, Size{BuiltinImage::EmptyOverlay, 838, 506},
                   Size{BuiltinImage::DefaultTextOverlay, 832, 500}, Size{BuiltinImage::BackdropFrame, 842, 195}}) {
        Image image = builtin(s.which);
        EXPECT_EQ(image.width(), s.width) << int(s.which);
        EXPECT_EQ(image.height(), s.height) << int(s.which);
    }
}

TEST(BuiltinImages, EmptyOverlayIsTransparentButForItsTwoCornerPixels) {
    Image overlay = builtin(BuiltinImage::EmptyOverlay);
    ASSERT_FALSE(overlay.empty());
    EXPECT_EQ(overlay.pixel(0, 0), (Rgba{255, 255, 255, 71}));
    EXPECT_EQ(overlay.pixel(837, 505), (Rgba{255, 255, 255, 74}));
    int visible = 0;
    for (int y = 0; y < overlay.height(); ++y)
        for (int x = 0; x < overlay.width(); ++x)
            visible += overlay.pixel(x, y).a != 0;
    EXPECT_EQ(visible, 2);
}

TEST(BuiltinImages, DefaultTextIsLightBlueAndAntiAliasedInItsPlaces) {
    Image text = builtin(BuiltinImage::DefaultTextOverlay);
    ASSERT_FALSE(text.empty());
    int solid = 0, partial = 0, wrongColour = 0;
    int left = text.width(), right = 0, top = text.height(), bottom = 0;
    for (int y = 0; y < text.height(); ++y) {
        for (int x = 0; x < text.width(); ++x) {
            Rgba p = text.pixel(x, y);
            if (p.a == 0)
                continue;
            (p.a == 255 ? solid : partial)++;
            wrongColour += !(p.r == 57 && p.g == 197 && p.b == 251);
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    EXPECT_EQ(wrongColour, 0) << "every drawn pixel is RGB 57, 197, 251";
    EXPECT_GT(solid, 10);
    EXPECT_GT(partial, 500) << "the edges are anti-aliased";
    // The edition mark at the lower left, the status line from about 252, 283, the
    // credits ending at about y 429.
    EXPECT_NEAR(left, 41, 3);
    EXPECT_NEAR(top, 283, 6);
    EXPECT_NEAR(bottom, 429, 10);
    EXPECT_LE(right, 791);
    auto inkIn = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (text.pixel(x, y).a != 0)
                    return true;
        return false;
    };
    EXPECT_TRUE(inkIn(252, 280, 330, 295)) << "status line";
    EXPECT_TRUE(inkIn(252, 310, 330, 324)) << "second line of the legal notice";
    EXPECT_TRUE(inkIn(502, 291, 791, 429)) << "credits";
    EXPECT_TRUE(inkIn(41, 425, 90, 440)) << "edition mark";
}

TEST(BuiltinImages, BackdropFrameIsALightBlueOutlineAroundATransparentInsideWithAShadow) {
    Image frame = builtin(BuiltinImage::BackdropFrame);
    ASSERT_FALSE(frame.empty());
    constexpr Rgba kOutline{60, 200, 255, 255};
    int outlineWrong = 0, insideWrong = 0;
    for (int y = 1; y <= 185; ++y) {
        for (int x = 5; x <= 836; ++x) {
            bool inside = x >= 9 && x <= 832 && y >= 5 && y <= 181;
            if (inside)
                insideWrong += frame.pixel(x, y).a != 0;
            else
                outlineWrong += frame.pixel(x, y) != kOutline;
        }
    }
    EXPECT_EQ(outlineWrong, 0) << "the 4-pixel outline from 5, 1 to 836, 185";
    EXPECT_EQ(insideWrong, 0) << "the 824 x 177 inside from 9, 5 lets the main window show";

    // The shadow: black, strongest next to the outline and fading outwards, 5 pixels at
    // the sides, 1 at the top and 9 at the bottom.
    struct Band {
        std::string side;
        int nearX, nearY, farX, farY;
    };
    for (const Band& b : {Band{"left", 4, 90, 0, 90}, Band{"right", 837, 90, 841, 90}, Band{"top", 400, 0, 400, 0},
                          Band{"bottom", 400, 186, 400, 194}}) {
        Rgba nearest = frame.pixel(b.nearX, b.nearY), farthest = frame.pixel(b.farX, b.farY);
        EXPECT_EQ(nearest.r + nearest.g + nearest.b, 0) << b.side << ": black";
        EXPECT_GT(farthest.a, 0) << b.side;
        EXPECT_GE(nearest.a, farthest.a) << b.side;
        EXPECT_LT(nearest.a, 255) << b.side << ": soft";
    }
    EXPECT_GT(frame.pixel(400, 186).a, frame.pixel(400, 194).a);
}

TEST(BuiltinImages, PlaceholderSplashIsATranslucentPanel) {
    Image splash = builtin(BuiltinImage::PlaceholderSplash);
    ASSERT_FALSE(splash.empty());
    Rgba middleOfThePanel = splash.pixel(100, 400);
    EXPECT_GT(middleOfThePanel.a, 0);
    EXPECT_LT(middleOfThePanel.a, 255);
}

} // namespace
} // namespace lumivel
