#include "platform/files.h"

#include "iconres/iconres_fixture.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

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

// Names of temporary files left by writers that were stopped mid-write, and of entries that
// only look like them. "%d" stands for a process id: a dead one, this one, or a running one.
TEST(Files, StaleTemporariesAreRemovedAndNothingElse) {
    testing::TempFolder temp;
    const std::string self = files::uniqueNameTag();
    const std::string own = self.substr(0, self.find('-'));
    const std::string dead = "99999999"; // above any process id the systems hand out
    struct Case {
        std::string name;
        bool removed;
        bool old = false; ///< last written two hours ago
    };
    std::vector<Case> cases = {
        {"~IconResources.idx." + dead + "-4-0badf00d.lumivel-tmp", true},
        {"~IconResources.idx." + own + "-1-0000abcd.lumivel-tmp", true},
        {"~IconResources.idx.3.lumivel-tmp", true}, // the bare counter of earlier versions
        {"~tw10428.dat." + dead + "-1-ffffffff.lumivel-tmp", true},
        {"~IconResources.idx.lumivel-tmp", false},
        {"IconResources.idx." + dead + "-1-00000000.lumivel-tmp", false},
        {"~IconResources.idx." + dead + "-1-0000000g.lumivel-tmp", false},
        {"~IconResources.idx." + dead + "-1-00000000.lumivel-tmp.bak", false},
        {"IconResources.idx", false},
        {"~$notes.docx", false},
    };
#ifndef _WIN32
    // Process 1 always runs: its temporary file is in use, until it has been left for an hour.
    cases.push_back({"~PSIconsLowRes.dat.1-2-12345678.lumivel-tmp", false});
    cases.push_back({"~PSIconsHighRes.dat.1-3-12345678.lumivel-tmp", true, true});
#endif
    for (const Case& c : cases) {
        testing::writeBytes(temp.path() / c.name, bytesOf("x"));
        if (c.old)
            fs::last_write_time(temp.path() / c.name, fs::file_time_type::clock::now() - std::chrono::hours(2));
    }
    fs::create_directory(temp.path() / ("~folder." + dead + "-1-00000000.lumivel-tmp"));

    files::removeStaleTemporaries(temp.path());

    for (const Case& c : cases)
        EXPECT_EQ(files::exists(temp.path() / c.name), !c.removed) << c.name;
    EXPECT_TRUE(files::isDirectory(temp.path() / ("~folder." + dead + "-1-00000000.lumivel-tmp")));
}

// A write cuts the leftovers of a killed writer out of its folder, and its own temporary file
// carries this process's tag, so no other process ever shares it.
TEST(Files, WritesClearLeftoversAndNameTheirTemporaryAfterTheProcess) {
    testing::TempFolder temp;
    auto leftover = temp.path() / "~IconResources.idx.99999999-7-00c0ffee.lumivel-tmp";
    for (auto write : {+[](const fs::path& f) { return files::writeFileAtomic(f, bytesOf("index")); },
                       +[](const fs::path& f) { return files::appendToFile(f, bytesOf("+")); },
                       +[](const fs::path& f) { return files::truncateFile(f, 1); },
                       +[](const fs::path& f) { return files::copyFileAtomic(f, f.parent_path() / "copy"); }}) {
        testing::writeBytes(leftover, bytesOf("half"));
        ASSERT_TRUE(write(temp.path() / "IconResources.idx").ok());
        EXPECT_FALSE(files::exists(leftover));
    }
    EXPECT_FALSE(anyTemporaryLeft(temp.path()));

    std::string a = files::uniqueNameTag(), b = files::uniqueNameTag();
    EXPECT_NE(a, b);
    EXPECT_EQ(a.substr(0, a.find('-')), b.substr(0, b.find('-')));
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
