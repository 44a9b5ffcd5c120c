#include "app/settings.h"

#include "platform/files.h"
#include "platform/text.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace lumivel {
namespace {

Bytes utf16le(std::string_view utf8, bool bom) {
    Bytes bytes = encodeUtf16LEWithBom(utf8);
    return bom ? bytes : Bytes(bytes.begin() + 2, bytes.end());
}

TEST(Settings, ReadsEveryEncodingWindowsToolsSave) {
    struct Case {
        const char* name;
        Bytes content;
        std::string expected;
    };
    const std::string chinese = "D:\\程序\\Photoshop\\";
    const Case cases[] = {
        {"UTF-16LE with BOM", utf16le("[lumivel]\r\nphotoshop=" + chinese + "\r\n", true), chinese},
        {"UTF-8 with BOM", bytesOf("\xEF\xBB\xBF[lumivel]\r\nphotoshop=" + chinese + "\r\n"), chinese},
        {"UTF-8", bytesOf("[lumivel]\nphotoshop=" + chinese + "\n"), chinese},
        // The same path in code page 936, as WritePrivateProfileStringA leaves it.
        {"GBK", bytesOf("[lumivel]\r\nphotoshop=D:\\\xb3\xcc\xd0\xf2\\Photoshop\\\r\n"), chinese},
        {"case and blanks", bytesOf("[ LUMIVEL ]\r\n  PhotoShop = C:\\PS\\  \r\n"), "C:\\PS\\"},
        {"first section of that name", bytesOf("[other]\r\nphotoshop=no\r\n[lumivel]\r\nphotoshop=C:\\A\\\r\n[lumivel]\r\nphotoshop=C:\\B\\\r\n"), "C:\\A\\"},
        {"key missing", bytesOf("[lumivel]\r\nother=1\r\n"), ""},
        {"section missing", bytesOf("photoshop=C:\\PS\\\r\n"), ""},
        {"empty file", Bytes{}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempFolder temp;
        auto file = temp.path() / "setting.ini";
        ASSERT_TRUE(files::writeFileAtomic(file, c.content).ok());
        EXPECT_EQ(readStoredPhotoshopRoot(file), c.expected);
    }
}

TEST(Settings, MissingFileReadsAsEmpty) {
    testing::TempFolder temp;
    EXPECT_EQ(readStoredPhotoshopRoot(temp.path() / "setting.ini"), "");
}

TEST(Settings, StoredRootReadsBackWhateverItsCharacters) {
    testing::TempFolder temp;
    auto file = temp.path() / "setting.ini";
    // Hangul and an emoji lie outside code page 936.
    for (std::string root : {"C:\\Program Files\\Adobe\\Adobe Photoshop CC 2015\\", "E:\\한국어\\😀 PS\\", "D:\\程序\\"}) {
        ASSERT_TRUE(storePhotoshopRoot(file, root).ok());
        EXPECT_EQ(readStoredPhotoshopRoot(file), root);
    }
    Bytes written = files::readFileOrEmpty(file);
    ASSERT_GE(written.size(), 2u);
    EXPECT_EQ(written[0], 0xFF); // UTF-16LE with BOM, as Windows' profile functions read Unicode
    EXPECT_EQ(written[1], 0xFE);
}

TEST(Settings, StoringKeepsOtherSectionsAndKeys) {
    testing::TempFolder temp;
    auto file = temp.path() / "setting.ini";
    ASSERT_TRUE(files::writeFileAtomic(file, bytesOf("[window]\r\nx=5\r\n[Lumivel]\r\nPhotoshop=C:\\Old\\\r\nkeep=1\r\n")).ok());
    ASSERT_TRUE(storePhotoshopRoot(file, "C:\\New\\").ok());
    std::string text = decodeTextFile(files::readFileOrEmpty(file));
    EXPECT_EQ(text, "[window]\r\nx=5\r\n[Lumivel]\r\nphotoshop=C:\\New\\\r\nkeep=1\r\n");
}

} // namespace
} // namespace lumivel
