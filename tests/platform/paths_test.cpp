#include "platform/paths.h"

#include "installation/installation.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lumivel {
namespace {

const std::string sep(1, kSeparator);

TEST(PathFunctions, ResultsForWindowsAndPosixTexts) {
    struct Case {
        std::string path;
        std::string withTrailing, parent, fileName, extension, withoutExt;
    };
    const Case cases[] = {
        // path                withTrailing            parent        fileName    extension  withoutExtension
        {"C:\\a\\b.exe", "C:\\a\\b.exe" + sep, "C:\\a\\", "b.exe", "exe", "C:\\a\\b"},
        {"C:\\a.b\\c", "C:\\a.b\\c" + sep, "C:\\a.b\\", "c", "b\\c", "C:\\a"},
        {"C:\\a\\b", "C:\\a\\b" + sep, "C:\\a\\", "b", "", "C:\\a\\b"},
        {"C:\\PS\\", "C:\\PS\\", "C:\\PS\\", "", "", "C:\\PS\\"},
        {"/opt/ps/Photoshop.exe", "/opt/ps/Photoshop.exe" + sep, "/opt/ps/", "Photoshop.exe", "exe", "/opt/ps/Photoshop"},
        {"/opt/ps/", "/opt/ps/", "/opt/ps/", "", "", "/opt/ps/"},
        {"C:\\mixed/dir\\x.tar.gz", "C:\\mixed/dir\\x.tar.gz" + sep, "C:\\mixed/dir\\", "x.tar.gz", "gz", "C:\\mixed/dir\\x.tar"},
        {"name", "name" + sep, "", "name", "", "name"},
        {"", sep, "", "", "", ""},
        {"D:\\照片\\启动图.png", "D:\\照片\\启动图.png" + sep, "D:\\照片\\", "启动图.png", "png", "D:\\照片\\启动图"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(withTrailingBackslash(c.path), c.withTrailing);
        EXPECT_EQ(parentFolderOf(c.path), c.parent);
        EXPECT_EQ(fileNameOf(c.path), c.fileName);
        EXPECT_EQ(extensionOf(c.path), c.extension);
        EXPECT_EQ(withoutExtension(c.path), c.withoutExt);
    }
}

TEST(PathFunctions, IsFolderIsTrueForFoldersAndForNothing) {
    testing::TempFolder temp;
    std::ofstream(temp.path() / "file.txt") << "x";
    EXPECT_TRUE(isFolder(temp.text()));
    EXPECT_TRUE(isFolder(temp.text() + "missing"));
    EXPECT_FALSE(isFolder(temp.text() + "file.txt"));
}

TEST(PathFunctions, FindsPhotoshopExeWithoutRegardToCase) {
    testing::TempFolder temp;
    std::ofstream(temp.path() / "Photoshop.exe") << "MZ";
    EXPECT_TRUE(fileExistsIgnoringCase(temp.text() + "photoshop.exe"));
    EXPECT_TRUE(fileExistsIgnoringCase(temp.text() + "PHOTOSHOP.EXE"));
    // The root without its trailing separator names another file.
    std::string root = temp.text();
    root.pop_back();
    EXPECT_FALSE(fileExistsIgnoringCase(root + "photoshop.exe"));
    EXPECT_FALSE(fileExistsIgnoringCase(temp.text() + "photoshop.ex"));
}

TEST(Installation, DerivesEveryPathFromTheRoot) {
    Installation ps("C:\\PS");
    EXPECT_EQ(ps.root(), "C:\\PS" + sep);
    EXPECT_EQ(ps.indexFile(), "C:\\PS" + sep + "Resources" + sep + "IconResources.idx");
    EXPECT_EQ(ps.resourcesFolder(), "C:\\PS" + sep + "Resources");
    EXPECT_EQ(ps.dictionaryFolder(), "C:\\PS" + sep + "Locales" + sep + "zh_CN" + sep + "Support Files");
    EXPECT_EQ(ps.dictionaryFile(), ps.dictionaryFolder() + sep + "tw10428.dat");
    EXPECT_EQ(ps.localesFolder(), "C:\\PS" + sep + "Locales" + sep);
    EXPECT_EQ(ps.resourcesBackupFolder(), ps.resourcesFolder() + sep + "lumivel_BAK");
    EXPECT_EQ(ps.dictionaryBackupFolder(), ps.dictionaryFolder() + sep + "lumivel_BAK");
    EXPECT_EQ(Installation("/opt/ps/").root(), "/opt/ps/");
}

} // namespace
} // namespace lumivel
