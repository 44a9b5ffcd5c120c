#include "apply/apply_fixture.h"
#include "cli/cli.h"
#include "installation/installation.h"
#include "locale/custom_block.h"
#include "platform/files.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace lumivel {
namespace {

using testing::ApplyFixture;

const Bytes kWord = {'"', 0, '$', 0, '$', 0, '$', 0, '/', 0, 'X', 0, '=', 0, 'Y', 0, '"', 0, '\r', 0, '\n', 0};

// Runs lumivel-cli on the fixture's installation and themes, keeping what it prints.
struct CliRun {
    int status;
    std::string out;
};

CliRun runCli(ApplyFixture& f, std::vector<std::string> words) {
    std::vector<std::string> args = {"--photoshop", f.state.photoshopRoot, "--settings",
                                     textFromPath(f.temp.path() / "setting.ini"), "--themes",
                                     textFromPath(f.state.themesRoot)};
    args.insert(args.end(), words.begin(), words.end());
    std::ostringstream out, err;
    auto* oldOut = std::cout.rdbuf(out.rdbuf());
    auto* oldErr = std::cerr.rdbuf(err.rdbuf());
    int status = cli::run(args, f.temp.path() / "program" / "lumivel-cli");
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    return {status, out.str()};
}

enum class Text { PhotoshopOwn, Hidden, ThemeWord, Unchecked };

struct Case {
    const char* name;
    std::vector<std::string> before; ///< a command run first
    std::vector<std::string> words;
    int status;
    Text text;
    std::string printed; ///< a line the output holds
};

TEST(CommandApply, RequestsTextChoiceAndExitStatus) {
    const std::vector<Case> cases = {
        {"a theme takes its loadtext", {}, {"apply", "--theme", "night"}, 0, Text::ThemeWord, "启动文字：主题文字\n"},
        {"--show-text overrides it", {}, {"apply", "--theme", "night", "--show-text"}, 0, Text::PhotoshopOwn,
         "图片：已还原为备份，并写入 splash-low splash-high dark-low dark-high light-low light-high\n"},
        {"[当前] keeps a hidden block hidden", {"apply", "--current", "--hide-text"}, {"apply", "--current"}, 0,
         Text::Hidden, "图片：未改动\n"},
        {"[默认]", {"apply", "--theme", "night"}, {"apply", "--default", "--hide-text"}, 0, Text::PhotoshopOwn,
         "应用：[默认]\n"},
        {"custom images", {}, {"apply", "--images", "light-high=@img.png", "splash-low=@none.png"}, 0,
         Text::PhotoshopOwn, "图片：已还原为备份，并写入 light-high\n"},
        {"no request", {}, {"apply"}, 2, Text::Unchecked, ""},
        {"two requests", {}, {"apply", "--current", "--default"}, 2, Text::Unchecked, ""},
        {"an unknown slot", {}, {"apply", "--images", "splash=@img.png"}, 2, Text::Unchecked, ""},
        {"a theme that is not there", {}, {"apply", "--theme", "missing"}, 1, Text::PhotoshopOwn, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ApplyFixture f;
        f.addTheme("night", {ImageSlot::SplashLow, ImageSlot::SplashHigh, ImageSlot::DarkIconLow, ImageSlot::DarkIconHigh,
                         ImageSlot::LightIconLow, ImageSlot::LightIconHigh},
                   kWord);
        ASSERT_TRUE(files::writeFileAtomic(f.themeFile("night", "info.ini"), bytesOf("[Lumivel_theme]\r\nloadtext=no\r\n")));
        ASSERT_TRUE(files::writeFileAtomic(f.temp.path() / "img.png", bytesOf("png")));
        auto withPaths = [&](std::vector<std::string> words) {
            for (std::string& word : words)
                if (auto at = word.find("=@"); at != std::string::npos)
                    word = word.substr(0, at + 1) + textFromPath(f.temp.path() / word.substr(at + 2));
            return words;
        };
        if (!c.before.empty())
            ASSERT_EQ(runCli(f, withPaths(c.before)).status, 0);
        CliRun run = runCli(f, withPaths(c.words));
        EXPECT_EQ(run.status, c.status) << run.out;
        EXPECT_NE(run.out.find(c.printed), std::string::npos) << run.out;

        Bytes dictionary = f.original.at(std::string(kDictionaryFileName));
        if (c.text == Text::Hidden)
            append(dictionary, hiddenTextBlock(rotatingNameKeys(dictionary)));
        if (c.text == Text::ThemeWord)
            append(dictionary, themeTextBlock(kWord));
        if (c.text != Text::Unchecked)
            EXPECT_TRUE(files::readFileOrEmpty(f.sample.dictionaryFile) == dictionary);
    }
}

TEST(CommandApply, FailuresGiveStatusOne) {
    // Unlocated: the locator cannot ask, and the Apply stops.
    {
        ApplyFixture f;
        std::ostringstream out;
        auto* old = std::cout.rdbuf(out.rdbuf());
        int status = cli::run({"--settings", textFromPath(f.temp.path() / "setting.ini"), "apply", "--default"},
                              f.temp.path() / "program" / "lumivel-cli");
        std::cout.rdbuf(old);
        EXPECT_EQ(status, 1);
        EXPECT_NE(out.str().find("错误: Photoshop 路径有误："), std::string::npos) << out.str();
    }
    // A backup that cannot be made: a file stands where its folder should be.
    {
        ApplyFixture f;
        ASSERT_TRUE(files::writeFileAtomic(f.backupFolder(false), bytesOf("in the way")));
        CliRun run = runCli(f, {"apply", "--default"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find("信息：: 没有创建备份"), std::string::npos) << run.out;
        EXPECT_TRUE(f.live() == f.original);
    }
}

} // namespace
} // namespace lumivel
