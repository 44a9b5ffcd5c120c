#include "themes/theme.h"

#include "platform/files.h"
#include "platform/text.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace lumivel {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

void put(const fs::path& file, std::string_view text) {
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(files::writeFileAtomic(file, bytesOf(text)));
}

// Wine started in the C locale cannot name a file in Chinese on the Linux side at all.
bool holdsChineseNames(const fs::path& folder) {
    return files::createFolder(folder / pathFromText("中文")).ok();
}

TEST(Theme, ReadsTheDescriptionAndWhatTheFolderHolds) {
    TempFolder root;
    if (!holdsChineseNames(root.path()))
        GTEST_SKIP() << "this file system cannot hold Chinese file names";
    put(root.path() / pathFromText("星空") / "info.ini",
        "[lumivel_THEME]\r\ninfo = 夜晚的星空\r\nby=小明\r\nbyurl=http://example.com/a\r\nre=银河\r\n"
        "reurl=http://example.com/b\r\nloadtext=no\r\n");
    put(root.path() / pathFromText("星空") / "loading_low.png", "png");
    put(root.path() / pathFromText("星空") / "word.txt", "text");
    put(root.path() / "Upper" / "info.ini", "[Lumivel_theme]\r\nloadtext=No\r\n");
    put(root.path() / "Upper" / "loading_high.png", "png");
    put(root.path() / "Other" / "info.ini", "[Lumivel_theme]\r\nloadtext=yes\r\n");
    fs::create_directories(root.path() / "Bare");

    Theme stars = Theme::read(root.path(), "星空");
    EXPECT_EQ(stars.info, "夜晚的星空");
    EXPECT_EQ(stars.author, "小明");
    EXPECT_EQ(stars.authorUrl, "http://example.com/a");
    EXPECT_EQ(stars.reference, "银河");
    EXPECT_EQ(stars.referenceUrl, "http://example.com/b");
    EXPECT_TRUE(stars.hidesText);
    EXPECT_TRUE(stars.has1x);
    EXPECT_FALSE(stars.has2x);
    EXPECT_TRUE(stars.hasText);
    EXPECT_EQ(stars.imageFile(slotInfo(ImageSlot::DarkIconHigh)), stars.folder / "ico_dark_high.png");
    EXPECT_EQ(stars.textFile(), stars.folder / "word.txt");

    Theme upper = Theme::read(root.path(), "Upper");
    EXPECT_FALSE(upper.hidesText) << "only the exact lower-case \"no\" hides the text";
    EXPECT_FALSE(upper.has1x);
    EXPECT_TRUE(upper.has2x);
    EXPECT_FALSE(Theme::read(root.path(), "Other").hidesText);

    for (const char* name : {"Bare", "Gone"}) {
        Theme bare = Theme::read(root.path(), name);
        EXPECT_EQ(bare.info, "未知") << name;
        EXPECT_EQ(bare.author, "") << name;
        EXPECT_FALSE(bare.hidesText || bare.has1x || bare.has2x || bare.hasText) << name;
    }
}

// One description read in each encoding Windows tools save in, with the keys in any case.
TEST(Theme, TheDescriptionFileInEveryEncoding) {
    const std::string text = "[lumivel_THEME]\r\nINFO = 星空\r\nBy=小明\r\n";
    struct Case {
        const char* label;
        Bytes bytes;
    };
    Bytes utf8Bom = bytesOf("\xEF\xBB\xBF" + text);
    const Case cases[] = {
        {"GBK", bytesOf("[lumivel_THEME]\r\nINFO = \xD0\xC7\xBF\xD5\r\nBy=\xD0\xA1\xC3\xF7\r\n")},
        {"UTF-8", bytesOf(text)},
        {"UTF-8 with BOM", utf8Bom},
        {"UTF-16LE", encodeUtf16LEWithBom(text)},
    };
    for (const Case& c : cases) {
        TempFolder root;
        put(root.path() / "T" / "info.ini", std::string(c.bytes.begin(), c.bytes.end()));
        Theme theme = Theme::read(root.path(), "T");
        EXPECT_EQ(theme.info, "星空") << c.label;
        EXPECT_EQ(theme.author, "小明") << c.label;
        EXPECT_EQ(theme.authorUrl, "") << c.label;
    }
}

TEST(Theme, OnlyTheExactWordNoHidesTheText) {
    const std::pair<const char*, bool> cases[] = {
        {"loadtext=no", true}, {"LOADTEXT = no ", true}, {"loadtext=No", false},
        {"loadtext=yes", false}, {"loadtext=", false}, {"", false},
    };
    for (const auto& [line, hides] : cases) {
        TempFolder root;
        put(root.path() / "T" / "info.ini", std::string("[Lumivel_theme]\r\n") + line + "\r\n");
        EXPECT_EQ(Theme::read(root.path(), "T").hidesText, hides) << line;
    }
}

TEST(Theme, AFolderNameStaysBelowTheThemesRoot) {
    TempFolder root;
    fs::path folder = themeFolder(root.path(), textFromPath(root.path() / "elsewhere"));
    EXPECT_EQ(textFromPath(folder).rfind(textFromPath(root.path()), 0), 0u) << textFromPath(folder);
}

} // namespace
} // namespace lumivel
