#include "platform/files.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace lumivel {
namespace {

namespace fs = std::filesystem;

bool anyTemporaryLeft(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().ends_with(".lumivel-tmp"))
            return true;
    return false;
}

TEST(Files, ReadTellsMissingFromUnreadable) {
    testing::TempFolder temp;
    auto missing = files::readFile(temp.path() / "none");
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().isMissing());
    EXPECT_NE(missing.error().message.find("none"), std::string::npos);

    auto folder = files::readFile(temp.path());
    ASSERT_FALSE(folder.ok());
    EXPECT_FALSE(folder.error().isMissing());

    ASSERT_TRUE(files::writeFileAtomic(temp.path() / "empty", Bytes{}).ok());
    auto empty = files::readFile(temp.path() / "empty");
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(empty.value().empty());
}

TEST(Files, RangeReadIsClippedAtTheEnd) {
    testing::TempFolder temp;
    auto file = temp.path() / "store";
    ASSERT_TRUE(files::writeFileAtomic(file, bytesOf("0123456789")).ok());
    struct Case {
        std::uint64_t offset, length;
        std::string expected;
    };
    for (const Case& c : {Case{2, 3, "234"}, Case{8, 5, "89"}, Case{10, 1, ""}, Case{50, 1, ""}, Case{0, 0, ""}}) {
        auto bytes = files::readFileRange(file, c.offset, c.length);
        ASSERT_TRUE(bytes.ok());
        EXPECT_EQ(bytes.value(), bytesOf(c.expected)) << c.offset << "+" << c.length;
    }
}

TEST(Files, AtomicWriteReplacesWholeOrNotAtAll) {
    testing::TempFolder temp;
    auto file = temp.path() / "IconResources.idx";
    ASSERT_TRUE(files::writeFileAtomic(file, bytesOf("old")).ok());

    files::failOperationForTesting(1);
    EXPECT_FALSE(files::writeFileAtomic(file, bytesOf("new content")).ok());
    files::failOperationForTesting(0);
    EXPECT_EQ(files::readFileOrEmpty(file), bytesOf("old"));

    ASSERT_TRUE(files::writeFileAtomic(file, bytesOf("new content")).ok());
    EXPECT_EQ(files::readFileOrEmpty(file), bytesOf("new content"));
    EXPECT_FALSE(anyTemporaryLeft(temp.path()));

    // A target folder that is gone: nothing is created and no temporary is left.
    EXPECT_FALSE(files::writeFileAtomic(temp.path() / "gone" / "x", bytesOf("x")).ok());
    EXPECT_FALSE(anyTemporaryLeft(temp.path()));
}

TEST(Files, CopyAndAppend) {
    testing::TempFolder temp;
    auto from = temp.path() / "backup.dat";
    auto to = temp.path() / "live.dat";
    ASSERT_TRUE(files::writeFileAtomic(from, bytesOf("pristine")).ok());
    ASSERT_TRUE(files::writeFileAtomic(to, bytesOf("changed and longer")).ok());

    ASSERT_TRUE(files::copyFileAtomic(from, to).ok());
    EXPECT_EQ(files::readFileOrEmpty(to), bytesOf("pristine"));
    auto missing = files::copyFileAtomic(temp.path() / "none", to);
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().isMissing());
    EXPECT_EQ(files::readFileOrEmpty(to), bytesOf("pristine"));

    ASSERT_TRUE(files::appendToFile(to, bytesOf("+png")).ok());
    EXPECT_EQ(files::readFileOrEmpty(to), bytesOf("pristine+png"));
    EXPECT_FALSE(files::appendToFile(temp.path() / "none", bytesOf("x")).ok());
    EXPECT_FALSE(files::exists(temp.path() / "none"));
    EXPECT_FALSE(anyTemporaryLeft(temp.path()));
}

TEST(Files, FoldersAndRenames) {
    testing::TempFolder temp;
    auto bak = temp.path() / "lumivel_BAK";
    ASSERT_TRUE(files::createFolder(bak).ok());
    EXPECT_FALSE(files::createFolder(bak).ok()); // already there
    ASSERT_TRUE(files::writeFileAtomic(bak / "a", bytesOf("a")).ok());
    auto old = temp.path() / "lumivel_BAK_old";
    ASSERT_TRUE(files::renamePath(bak, old).ok());
    ASSERT_TRUE(files::createFolder(bak).ok());
    EXPECT_FALSE(files::renamePath(bak, old).ok()); // the old name is taken: nothing changes
    EXPECT_TRUE(files::isDirectory(bak));
    EXPECT_EQ(files::readFileOrEmpty(old / "a"), bytesOf("a"));
    ASSERT_TRUE(files::removeTree(old).ok());
    EXPECT_FALSE(files::exists(old));
}

TEST(Files, FaultHookFailsExactlyTheNthOperation) {
    testing::TempFolder temp;
    auto file = temp.path() / "f";
    files::failOperationForTesting(2);
    EXPECT_TRUE(files::writeFileAtomic(file, bytesOf("1")).ok());
    EXPECT_FALSE(files::readFile(file).ok());
    EXPECT_TRUE(files::readFile(file).ok());
    EXPECT_EQ(files::operationCountForTesting(), 3);
    files::failOperationForTesting(0);
}

} // namespace
} // namespace lumivel
