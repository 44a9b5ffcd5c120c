#include "cli/show_output.h"

#include "apply/apply_fixture.h"
#include "imaging/png_codec.h"
#include "platform/files.h"
#include "platform/text.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

namespace lumivel {
namespace {

using testing::ApplyFixture;

std::optional<Image> writtenImage(const std::filesystem::path& file) {
    auto bytes = files::readFile(file);
    return bytes ? decodePng(bytes.value()) : std::nullopt;
}

// "show current --out": preview.png is the preview window's picture of the installation's
// own splash, with the text as the dictionary says, beside the images themselves.
TEST(ShowOutput, ShowWritesThePreviewPictureBesideTheImages) {
    ApplyFixture f;
    auto out = f.temp.path() / "out";
    std::vector<std::string> args = {"--photoshop", f.state.photoshopRoot, "--settings",
                                     textFromPath(f.temp.path() / "setting.ini"), "show", "current",
                                     "--out", textFromPath(out)};
    std::ostringstream printed;
    auto* before = std::cout.rdbuf(printed.rdbuf());
    int status = cli::run(args, f.temp.path() / "program" / "lumivel-cli");
    std::cout.rdbuf(before);
    ASSERT_EQ(status, 0) << printed.str();

    auto splash = decodePng(f.sample.entry("Splash1080Background").image(DensityFile::LowRes));
    auto preview = writtenImage(out / "preview.png");
    ASSERT_TRUE(splash && preview);
    EXPECT_EQ(preview->width(), 838);
    EXPECT_EQ(preview->height(), 506);
    EXPECT_EQ(preview->pixel(5, 5), splash->pixel(5, 5));
    EXPECT_EQ(preview->pixel(splash->width() + 3, 10), (Rgba{0, 0, 0, 0})) << "right of the smaller splash";
    EXPECT_EQ(preview->pixel(837, 505), (Rgba{255, 255, 255, 74})) << "the empty overlay's corner";
    EXPECT_TRUE(files::exists(out / "splash.png"));
    EXPECT_NE(printed.str().find("preview.png"), std::string::npos);
}

TEST(ShowOutput, ThePreviewFollowsTheTextSwitch) {
    testing::TempFolder temp;
    cli::CliView view;
    view.textLayerHidden = false;
    ASSERT_TRUE(cli::writeShownLook(view, textFromPath(temp.path() / "shown")));
    auto withText = writtenImage(temp.path() / "shown" / "preview.png");
    view.textLayerHidden = true;
    ASSERT_TRUE(cli::writeShownLook(view, textFromPath(temp.path() / "hidden")));
    auto without = writtenImage(temp.path() / "hidden" / "preview.png");
    ASSERT_TRUE(withText && without);

    int textPixels = 0, leftOver = 0;
    for (int y = 0; y < 506; ++y)
        for (int x = 1; x < 837; ++x) {
            textPixels += withText->pixel(x, y) == Rgba{57, 197, 251, 255};
            leftOver += without->pixel(x, y).a != 0;
        }
    EXPECT_GT(textPixels, 0);
    EXPECT_EQ(leftOver, 0);
    EXPECT_FALSE(files::exists(temp.path() / "hidden" / "splash.png")) << "no splash, no splash.png";
}

} // namespace
} // namespace lumivel
