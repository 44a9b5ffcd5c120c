#include "platform/text.h"

#include "platform/ini.h"

#include <gtest/gtest.h>

namespace lumivel {
namespace {

TEST(Text, Utf8AndUtf16RoundTrip) {
    for (std::string text : {"", "Photoshop", "启动图片@X2：", "E:\\한국어\\😀"}) {
        EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(text)), text);
    }
    EXPECT_EQ(utf8ToUtf16("😀").size(), 2u); // a surrogate pair
}

TEST(Text, DecodesTheEncodingsOfWindowsTextFiles) {
    struct Case {
        const char* name;
        Bytes bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"UTF-16LE with BOM", encodeUtf16LEWithBom("主题 a=1"), "主题 a=1"},
        {"UTF-8 with BOM", bytesOf("\xEF\xBB\xBF主题"), "主题"},
        {"UTF-8", bytesOf("主题"), "主题"},
        {"GBK", bytesOf("\xd6\xf7\xcc\xe2"), "主题"},
        {"plain ASCII", bytesOf("info=x"), "info=x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeTextFile(c.bytes), c.expected) << c.name;
    EXPECT_FALSE(isValidUtf8("\xd6\xf7"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF")); // overlong '/'
}

TEST(Ini, ReadsWithProfileSemantics) {
    auto ini = IniDocument::parse("; comment\r\n[Lumivel_theme]\r\ninfo = 蓝色主题 \r\nLoadText=no\r\nby=\"作者\"\r\n[other]\r\ninfo=x\r\n");
    EXPECT_EQ(ini.value("lumivel_THEME", "INFO"), "蓝色主题");
    EXPECT_EQ(ini.value("Lumivel_theme", "loadtext"), "no");
    EXPECT_EQ(ini.value("Lumivel_theme", "by"), "作者");
    EXPECT_EQ(ini.value("Lumivel_theme", "re", "未知"), "未知");
    EXPECT_EQ(ini.value("missing", "info", "未知"), "未知");
}

} // namespace
} // namespace lumivel
