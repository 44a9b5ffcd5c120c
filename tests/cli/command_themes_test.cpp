#include "cli/cli.h"
#include "platform/files.h"
#include "platform/text.h"
#include "sample_installation/sample_installation.h"
#include "support/temp_folder.h"
#include "support/zip_builder.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace lumivel {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// lumivel-cli with its themes root and settings in a temp folder.
struct ThemeCli {
    struct Run {
        int status;
        std::string out, err;
    };

    Run run(std::vector<std::string> words) {
        std::vector<std::string> args = {"--settings", textFromPath(temp.path() / "setting.ini"), "--themes",
                                         textFromPath(themes())};
        if (!photoshop.empty())
            args.insert(args.end(), {"--photoshop", photoshop});
        args.insert(args.end(), words.begin(), words.end());
        std::ostringstream out, err;
        auto* oldOut = std::cout.rdbuf(out.rdbuf());
        auto* oldErr = std::cerr.rdbuf(err.rdbuf());
        int status = cli::run(args, temp.path() / "program" / "lumivel-cli");
        std::cout.rdbuf(oldOut);
        std::cerr.rdbuf(oldErr);
        return {status, out.str(), err.str()};
    }

    fs::path themes() const { return temp.path() / "themes"; }
    void put(std::string_view theme, std::string_view file, ByteView bytes) const {
        fs::create_directories(themes() / std::string(theme));
        ASSERT_TRUE(files::writeFileAtomic(themes() / std::string(theme) / std::string(file), bytes));
    }

    TempFolder temp;
    std::string photoshop;
};

const std::string kInfo = "[Lumivel_theme]\r\ninfo=Night\r\nby=Ann\r\nbyurl=http://a.example\r\nloadtext=no\r\n";

TEST(CommandThemes, ListsShowsAndImports) {
    ThemeCli cli;
    cli.put("Night", "info.ini", bytesOf(kInfo));
    cli.put("Night", "loading_low.png", bytesOf("splash"));
    cli.put("Night", "ico_dark_low.png", bytesOf("dark"));
    cli.put("NoTheme", "info.ini", bytesOf(kInfo));

    auto listed = cli.run({"themes"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, "[当前]\n[默认]\nNight\n");

    fs::path out = cli.temp.path() / "out";
    auto shown = cli.run({"show", "theme", "Night", "--out", textFromPath(out)});
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("说明：Night\n启动文字：隐藏\n作者：Ann（http://a.example）\n引用：\n"
                             "1x 启动图：有，2x 启动图：无，自定义启动文字：无\n"),
              std::string::npos)
        << shown.out;
    EXPECT_EQ(files::readFileOrEmpty(out / "splash.png"), bytesOf("splash"));
    EXPECT_EQ(files::readFileOrEmpty(out / "dark.png"), bytesOf("dark"));
    EXPECT_FALSE(files::exists(out / "light.png")) << "only the images the theme has are written";
    EXPECT_EQ(cli.run({"show", "theme", "NoTheme"}).status, 1) << "a folder the list does not hold";

    fs::path package = cli.temp.path() / "Day.zip";
    ASSERT_TRUE(files::writeFileAtomic(
        package, testing::zipArchive({testing::zipFile("info.ini", kInfo), testing::zipFile("loading_low.png", "s")})));
    fs::path other = cli.temp.path() / "notes.rar";
    ASSERT_TRUE(files::writeFileAtomic(other, bytesOf("rar")));
    auto imported = cli.run({"import", textFromPath(package), textFromPath(other)});
    EXPECT_EQ(imported.status, 1) << "one of the two was not imported";
    EXPECT_NE(imported.out.find("添加主题: 已添加主题：Day.zip\n"), std::string::npos) << imported.out;
    EXPECT_NE(imported.err.find("notes.rar"), std::string::npos) << imported.err;
    EXPECT_EQ(cli.run({"import", textFromPath(package)}).status, 0);
    // The themes come in the file system's order, whatever it is.
    std::string after = cli.run({"themes"}).out;
    EXPECT_TRUE(after == "[当前]\n[默认]\nNight\nDay\n" || after == "[当前]\n[默认]\nDay\nNight\n") << after;
}

TEST(CommandCheck, DecodesEveryImageBesidePhotoshopsOwnAndChecksTheText) {
    ThemeCli cli;
    sample::SampleOptions options;
    options.splashWidth = 838;
    options.splashHeight = 506;
    auto installation = sample::createSampleInstallation(cli.temp.path() / "PS", options);
    cli.photoshop = textFromPath(installation.root);
    cli.put("Good", "loading_low.png", sample::pngImage(838, 506, 1));
    cli.put("Good", "ico_light_high.png", sample::pngImage(64, 64, 2));
    cli.put("Good", "word.txt", encodeUtf16LE("\"$$$/Splash/Initializing=你好\"\r\n\"$$$/About/ReleaseX=X\"\r\n"));

    auto good = cli.run({"check", "Good"});
    EXPECT_EQ(good.status, 0) << good.out << good.err;
    EXPECT_EQ(good.out, "loading_low.png：可以解码，838 x 506（Photoshop 自己的图片：838 x 506）\n"
                        "loading_high.png：没有\n"
                        "ico_dark_low.png：没有\n"
                        "ico_dark_high.png：没有\n"
                        "ico_light_low.png：没有\n"
                        "ico_light_high.png：可以解码，64 x 64（Photoshop 自己的图片：64 x 64）\n"
                        "word.txt：UTF-16LE 词典行，没有 BOM\n");

    Bytes truncated = sample::pngImage(838, 506, 3);
    truncated.resize(truncated.size() / 2);
    cli.put("Bad", "loading_low.png", truncated);
    cli.put("Bad", "word.txt", encodeUtf16LEWithBom("\"$$$/Splash/Initializing=x\"\r\n"));
    auto bad = cli.run({"check", "Bad"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.out.find("loading_low.png：无法解码"), std::string::npos) << bad.out;
    EXPECT_NE(bad.out.find("word.txt：以字节顺序标记（BOM）开头"), std::string::npos) << bad.out;

    cli.put("Lines", "loading_low.png", sample::pngImage(8, 8, 4));
    cli.put("Lines", "word.txt", encodeUtf16LE("\"$$$/A=b\"\r\nplain text\r\n"));
    auto lines = cli.run({"check", "Lines"});
    EXPECT_EQ(lines.status, 1);
    EXPECT_NE(lines.out.find("第 2 行不是"), std::string::npos) << lines.out;
    EXPECT_EQ(cli.run({"check", "Missing"}).status, 1);
}

} // namespace
} // namespace lumivel
