#include "apply/apply_look.h"

#include "app/app_state.h"
#include "apply/apply_fixture.h"
#include "iconres/icon_resource_index.h"
#include "installation/installation.h"
#include "locale/custom_block.h"
#include "platform/files.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace lumivel {
namespace {

namespace fs = std::filesystem;
using testing::ApplyFixture;
using testing::FileSnapshot;
using testing::ShownMessage;
using testing::themeImages;

const std::string kIndex(kIndexFileName);
const std::string kDictionary(kDictionaryFileName);
const ShownMessage kDone{"修改完成", "应用", MessageIcon::None};

// Messages as lines of "caption|text|icon", so a difference reads as text.
std::string shown(const std::vector<ShownMessage>& messages) {
    std::string lines;
    for (const ShownMessage& m : messages)
        lines += m.caption + "|" + m.text + (m.icon == MessageIcon::Error ? "|error" : "") + "\n";
    return lines;
}

const std::vector<ImageSlot> kAllSlots = {ImageSlot::SplashLow,   ImageSlot::SplashHigh,   ImageSlot::DarkIconLow,
                                          ImageSlot::DarkIconHigh, ImageSlot::LightIconLow, ImageSlot::LightIconHigh};
const Bytes kWord = {'"', 0, '$', 0, '$', 0, '$', 0, '/', 0, 'X', 0, '=', 0, 'Y', 0, '"', 0, '\r', 0, '\n', 0};

enum class Text { PhotoshopOwn, Hidden, ThemeWord };

Bytes dictionaryWith(const ApplyFixture& f, Text text) {
    Bytes dictionary = f.original.at(kDictionary);
    if (text == Text::Hidden)
        append(dictionary, hiddenTextBlock(rotatingNameKeys(dictionary)));
    if (text == Text::ThemeWord)
        append(dictionary, themeTextBlock(kWord));
    return dictionary;
}

struct Press {
    std::string entry;                    ///< theme page: the selector's text
    bool customPage = false;
    std::vector<std::string> customTexts; ///< custom page: the edit boxes, "@name" for a file in the temp folder
    bool textHidden = false;
};

struct Case {
    const char* name;
    bool twoStores;
    std::vector<Press> before; ///< presses made first, not looked at
    Press press;
    bool imagesUnchanged;      ///< stores and index keep their bytes from before the press
    std::function<std::vector<std::pair<ImageSlot, Bytes>>(const ApplyFixture&)> images;
    Text text;
    std::vector<ShownMessage> messages;
};

void lay(ApplyFixture& f) {
    f.addTheme("high-splash-only", {ImageSlot::SplashHigh});
    f.addTheme("all-six", kAllSlots, kWord);
    f.addTheme("splashes", {ImageSlot::SplashLow, ImageSlot::SplashHigh});
    ASSERT_TRUE(files::writeFileAtomic(f.temp.path() / "icon.jpg", bytesOf("not even an image")).ok());
}

void press(ApplyFixture& f, const Press& p) {
    if (!p.customPage) {
        f.applyEntry(p.entry, p.textHidden);
        return;
    }
    std::vector<std::string> texts;
    for (const std::string& text : p.customTexts)
        texts.push_back(text.starts_with("@") ? textFromPath(f.temp.path() / text.substr(1)) : text);
    f.applyCustom(texts, p.textHidden);
}

void check(const Case& c) {
    SCOPED_TRACE(c.name);
    auto options = ApplyFixture::smallSample();
    options.fourStores = !c.twoStores;
    ApplyFixture f(options);
    lay(f);
    for (const Press& p : c.before)
        press(f, p);
    FileSnapshot before = f.live();
    f.ui.messages.clear();

    press(f, c.press);

    FileSnapshot expected = c.imagesUnchanged ? before : testing::afterImages(f, c.images ? c.images(f) : decltype(c.images(f)){});
    expected[kDictionary] = dictionaryWith(f, c.text);
    FileSnapshot live = f.live();
    for (const auto& [name, bytes] : expected)
        EXPECT_TRUE(live[name] == bytes) << name << ": " << live[name].size() << " bytes, expected " << bytes.size();
    EXPECT_EQ(shown(f.ui.messages), shown(c.messages));
    // The program's index is what it wrote last.
    if (!c.imagesUnchanged && c.press.entry != kDefaultLookEntry)
        EXPECT_TRUE(f.state.index.serialize() == live[kIndex]);
    testing::expectIndexInsideStores(f);
    testing::expectNoTemporaryFiles(f);
    testing::expectBackupsPristine(f);
}

TEST(ApplyLook, RequestsAndThemeContents) {
    const Press allSix{"all-six", false, {}, true};
    const std::vector<Case> cases = {
        {"a theme with only the 2x splash", false, {allSix}, {"high-splash-only"}, false,
         [](const ApplyFixture& f) { return themeImages(f, "high-splash-only", {ImageSlot::SplashHigh}); },
         Text::PhotoshopOwn, {kDone}},
        {"all six images and the theme's text", false, {}, allSix, false,
         [](const ApplyFixture& f) { return themeImages(f, "all-six", kAllSlots); }, Text::ThemeWord, {kDone}},
        {"all six in the two-store layout", true, {}, allSix, false,
         [](const ApplyFixture& f) { return themeImages(f, "all-six", kAllSlots); }, Text::ThemeWord, {kDone}},
        {"a theme's word.txt with the switch clear gives Photoshop's text", false, {allSix}, {"all-six", false, {}, false},
         false, [](const ApplyFixture& f) { return themeImages(f, "all-six", kAllSlots); }, Text::PhotoshopOwn, {kDone}},
        {"six, then a theme of two splashes", false, {allSix}, {"splashes", false, {}, true}, false,
         [](const ApplyFixture& f) {
             return themeImages(f, "splashes", {ImageSlot::SplashLow, ImageSlot::SplashHigh});
         },
         Text::Hidden, {kDone}},
        {"custom page with empty and missing paths", false, {allSix},
         {"", true, {"", "@missing.png", "", "@nowhere/x.png", "", ""}, true}, false, nullptr, Text::Hidden, {}},
        {"custom page takes a file of another kind as it is", false, {}, {"", true, {"", "", "@icon.jpg"}, false}, false,
         [](const ApplyFixture& f) {
             return std::vector<std::pair<ImageSlot, Bytes>>{
                 {ImageSlot::DarkIconLow, files::readFileOrEmpty(f.temp.path() / "icon.jpg")}};
         },
         Text::PhotoshopOwn, {}},
        {"[当前] hides the text and touches no image", false, {allSix}, {"[当前]", false, {}, true}, true, nullptr,
         Text::Hidden, {kDone}},
        {"[当前] with the switch clear restores the text only", false, {allSix}, {"[当前]", false, {}, false}, true,
         nullptr, Text::PhotoshopOwn, {kDone}},
        {"[默认] with the switch on", false, {allSix}, {"[默认]", false, {}, true}, false, nullptr, Text::PhotoshopOwn,
         {kDone}},
        {"[默认] with the switch clear", false, {allSix}, {"[默认]", false, {}, false}, false, nullptr,
         Text::PhotoshopOwn, {kDone}},
    };
    for (const Case& c : cases)
        check(c);
}

// The backup's index is damaged: it is never copied over the live one, so no image can be
// written on top of it; the text step and the completion message follow all the same.
TEST(ApplyLook, DamagedBackupIndexWritesNoImage) {
    ApplyFixture f;
    f.addTheme("all-six", kAllSlots, kWord);
    f.applyEntry("all-six", false);
    fs::path backupIndex = f.backupFolder(false) / kIndex;
    ASSERT_TRUE(files::writeFileAtomic(backupIndex, bytesOf("not an index")).ok());
    FileSnapshot before = f.live();
    f.ui.messages.clear();

    f.applyEntry("all-six", true);

    EXPECT_EQ(shown(f.ui.messages),
              shown({{"重置文件错误：" + textFromPath(backupIndex), "错误", MessageIcon::Error}, kDone}));
    FileSnapshot live = f.live();
    for (const auto& [name, bytes] : before)
        if (name != kDictionary)
            EXPECT_TRUE(live[name] == bytes) << name;
    EXPECT_TRUE(live[kDictionary] == dictionaryWith(f, Text::ThemeWord));
    testing::expectIndexInsideStores(f);
}

TEST(ApplyLook, MissingIndexRunsTheLocatorAndStopsWhenItIsCancelled) {
    for (bool customPage : {false, true}) {
        SCOPED_TRACE(customPage ? "custom page" : "theme page");
        ApplyFixture f;
        f.addTheme("all-six", kAllSlots, kWord);
        fs::remove(f.sample.indexFile);
        FileSnapshot before = f.live();
        if (customPage)
            f.applyCustom({textFromPath(f.themeFile("all-six", "loading_low.png"))}, true);
        else
            f.applyEntry("all-six", true);

        ASSERT_EQ(f.ui.fileDialogs.size(), 1u);
        EXPECT_EQ(f.ui.fileDialogs[0].title, "找到 Photoshop 的位置");
        EXPECT_EQ(f.ui.messages,
                  (std::vector<ShownMessage>{{"Photoshop 路径有误：" + f.state.photoshopRoot, "错误", MessageIcon::None}}));
        EXPECT_EQ(f.live(), before);
        EXPECT_FALSE(files::exists(f.backupFolder(false)));
        EXPECT_FALSE(files::exists(f.backupFolder(true)));
    }
}

} // namespace
} // namespace lumivel
