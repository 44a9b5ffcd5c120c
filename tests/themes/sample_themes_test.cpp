// The sample themes and the template the release ships: what the artwork script made must
// be themes the program lists, with images of the sizes Photoshop's own have.
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/text.h"
#include "themes/theme.h"
#include "themes/theme_scan.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>

namespace lumivel {
namespace {

namespace fs = std::filesystem;

fs::path assets() { return pathFromText(LUMIVEL_ASSETS_DIR); }

std::optional<std::pair<unsigned, unsigned>> pngSize(const fs::path& file) {
    Bytes bytes = files::readFileOrEmpty(file);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (bytes.empty() || !png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return std::nullopt;
    image.format = PNG_FORMAT_RGBA;
    Bytes pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        return std::nullopt;
    return std::pair{image.width, image.height};
}

TEST(SampleThemes, AreListedWithImagesOfPhotoshopsSizes) {
    fs::path root = assets() / "themes";
    if (!files::exists(root / pathFromText("星夜")))
        GTEST_SKIP() << "this file system cannot name the sample themes";
    auto names = scanThemes(root);
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected = {"墨竹", "星夜", "晨光"};
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(names, expected);

    const std::pair<unsigned, unsigned> sizes[] = {{838, 506}, {1676, 1012}, {32, 32}, {64, 64}, {32, 32}, {64, 64}};
    for (const std::string& name : names) {
        Theme theme = Theme::read(root, name);
        EXPECT_NE(theme.info, "未知") << name;
        for (std::size_t i = 0; i < kImageSlots.size(); ++i) {
            fs::path file = theme.imageFile(kImageSlots[i]);
            if (files::exists(file))
                EXPECT_EQ(pngSize(file), sizes[i]) << name << " " << kImageSlots[i].themeFile;
        }
    }
    Theme night = Theme::read(root, "星夜"), morning = Theme::read(root, "晨光"), bamboo = Theme::read(root, "墨竹");
    EXPECT_TRUE(night.hasText && night.hidesText && night.has2x) << "星夜 brings its own text";
    EXPECT_TRUE(morning.hidesText && !morning.hasText) << "晨光 hides the text";
    EXPECT_TRUE(bamboo.has1x && !bamboo.has2x && !bamboo.hidesText) << "墨竹 has the 1x splash only";
    EXPECT_FALSE(files::exists(bamboo.imageFile(slotInfo(ImageSlot::DarkIconLow))));
}

TEST(SampleThemes, TheTemplateDescriptionReads) {
    fs::path folder = assets() / pathFromText("模板");
    if (!files::exists(folder))
        GTEST_SKIP() << "this file system cannot name the template folder";
    IniDocument ini = IniDocument::load(folder / "info.ini");
    EXPECT_EQ(ini.value(kThemeInfoSection, "info"), "我的主题");
    EXPECT_EQ(ini.value(kThemeInfoSection, "loadtext", "none"), "");
    EXPECT_TRUE(files::exists(folder / pathFromText("说明.txt")));
}

} // namespace
} // namespace lumivel
