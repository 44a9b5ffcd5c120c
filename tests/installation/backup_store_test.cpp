#include "installation/backup_store.h"

#include "iconres/iconres_fixture.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>

namespace lumivel::testing {
namespace {

namespace fs = std::filesystem;

struct BackedUp {
    BackupFolder folder;
    std::string_view name;
    Bytes FixtureFiles::*content;
    bool xStore;
};

constexpr std::array<BackedUp, 6> kFiles = {{
    {BackupFolder::Resources, "IconResources.idx", &FixtureFiles::index, false},
    {BackupFolder::Resources, "PSIconsHighRes.dat", &FixtureFiles::highStore, false},
    {BackupFolder::Resources, "PSIconsLowRes.dat", &FixtureFiles::lowStore, false},
    {BackupFolder::Resources, "PSIconsXHighRes.dat", &FixtureFiles::xHighStore, true},
    {BackupFolder::Resources, "PSIconsXLowRes.dat", &FixtureFiles::xLowStore, true},
    {BackupFolder::Dictionary, "tw10428.dat", &FixtureFiles::dictionary, false},
}};

struct BackupApp : FixtureApp {
    explicit BackupApp(IndexLayout layout = IndexLayout::FourStore)
        : FixtureApp(layout), installation(state.photoshopRoot), store(installation, ui) {}

    fs::path backupOf(const BackedUp& file) const { return pathFromText(store.backupPathOf(file.folder, file.name)); }
    fs::path liveOf(const BackedUp& file) const { return pathFromText(store.livePathOf(file.folder, file.name)); }
    fs::path oldBackupOf(const BackedUp& file) const {
        return liveOf(file).parent_path() / "lumivel_BAK_old" / std::string(file.name);
    }
    // Changes every live file, as an Apply would.
    void changeLiveFiles(std::string_view mark) {
        for (const BackedUp& file : kFiles) {
            Bytes changed = files.*file.content;
            append(changed, bytesOf(mark));
            writeBytes(liveOf(file), changed);
        }
    }
    Bytes liveContent(const BackedUp& file) const { return readBytes(liveOf(file)); }

    Installation installation;
    BackupStore store;
};

std::string text(const fs::path& path) { return textFromPath(path); }

TEST(BackupStoreEnsure, FirstCallCopiesEveryFileOfTheLayout) {
    for (IndexLayout layout : {IndexLayout::FourStore, IndexLayout::TwoStore}) {
        BackupApp app(layout);
        EXPECT_TRUE(app.store.ensure(layout == IndexLayout::FourStore));
        EXPECT_TRUE(app.ui.messages.empty());
        for (const BackedUp& file : kFiles) {
            bool expected = layout == IndexLayout::FourStore || !file.xStore;
            EXPECT_EQ(files::exists(app.backupOf(file)), expected) << file.name;
            if (expected)
                EXPECT_EQ(readBytes(app.backupOf(file)), app.files.*file.content) << file.name;
        }
        EXPECT_FALSE(files::exists(app.resources() / "lumivel_BAK" / "TEST"));
        // Only the copies: no temporary files left beside them.
        EXPECT_EQ(std::distance(fs::directory_iterator(app.resources() / "lumivel_BAK"), fs::directory_iterator()),
                  layout == IndexLayout::FourStore ? 5 : 3);
    }
}

// The first backup stays the reference: a later call leaves existing copies alone and
// makes again only the one that was deleted, from the live file as it is now.
TEST(BackupStoreEnsure, LaterCallsOnlyAddMissingCopies) {
    BackupApp app;
    ASSERT_TRUE(app.store.ensure(true));
    app.changeLiveFiles("changed");
    fs::remove(app.backupOf(kFiles[2]));

    EXPECT_TRUE(app.store.ensure(true));

    EXPECT_TRUE(app.ui.messages.empty());
    for (const BackedUp& file : kFiles) {
        Bytes expected = &file == &kFiles[2] ? app.liveContent(file) : app.files.*file.content;
        EXPECT_EQ(readBytes(app.backupOf(file)), expected) << file.name;
    }
}

// A probe folder left by a run that was stopped between making and removing it (empty, with
// files, or with a process tag) is taken away, and the next probe goes through. Only the
// probe's own names go: another entry that begins with the same letters stays.
TEST(BackupStoreEnsure, LeftoverProbeFoldersAreRemovedBeforeTheProbe) {
    BackupApp app;
    ASSERT_TRUE(app.store.ensure(true));
    fs::path bak = app.resources() / "lumivel_BAK";
    fs::create_directories(bak / "TEST");
    fs::create_directories(bak / "TEST-4711-1-0000beef" / "inner");
    writeBytes(bak / "TEST-4711-1-0000beef" / "inner" / "f", bytesOf("x"));
    fs::create_directories(bak / "TESTING");
    // Temporary files of copies that were cut short go too, in the live and backup folders.
    const std::string killedCopy = "~PSIconsLowRes.dat.99999999-1-00000000.lumivel-tmp";
    writeBytes(bak / killedCopy, bytesOf("half"));
    writeBytes(app.resources() / killedCopy, bytesOf("half"));

    EXPECT_TRUE(app.store.ensure(true));
    EXPECT_FALSE(files::exists(bak / killedCopy));
    EXPECT_FALSE(files::exists(app.resources() / killedCopy));
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_FALSE(files::exists(bak / "TEST"));
    EXPECT_FALSE(files::exists(bak / "TEST-4711-1-0000beef"));
    EXPECT_TRUE(files::isDirectory(bak / "TESTING"));

    fs::create_directories(bak / "TEST");
    writeBytes(bak / "TEST" / "left.txt", bytesOf("x"));
    EXPECT_TRUE(app.store.ensure(true));
    EXPECT_FALSE(files::exists(bak / "TEST"));
    EXPECT_TRUE(app.ui.messages.empty());
}

// What a first ensure shows when its Nth file operation fails, in the order it makes them.
std::vector<ShownMessage> ensureFailureMessages(const BackupApp& app) {
    auto copyFailed = [](const std::string& path) { return ShownMessage{"创建备份文件失败：" + path, "错误", MessageIcon::Error}; };
    std::vector<ShownMessage> messages;
    for (const BackedUp& file : kFiles) {
        if (&file == &kFiles.front() || file.folder != (&file - 1)->folder) // a folder's first file
            messages.push_back(copyFailed(joinPath(text(app.liveOf(file).parent_path()), {"lumivel_BAK"})));
        messages.push_back(copyFailed(app.store.backupPathOf(file.folder, file.name)));
    }
    messages.push_back({"没有目录权限02", "错误", MessageIcon::None});
    messages.push_back({"没有目录权限01", "错误", MessageIcon::None});
    return messages;
}

// Each file operation of a first ensure fails in turn: one message naming what failed,
// false, no half-made copy, and the next call completes the set.
TEST(BackupStoreEnsure, EachFailedStepIsReportedOnceAndTheNextCallCompletes) {
    const std::size_t operations = ensureFailureMessages(BackupApp()).size();
    for (std::size_t i = 0; i < operations; ++i) {
        SCOPED_TRACE("failing operation " + std::to_string(i + 1));
        BackupApp app;
        files::failOperationForTesting(static_cast<int>(i + 1));
        EXPECT_FALSE(app.store.ensure(true));
        files::failOperationForTesting(0);
        EXPECT_EQ(app.ui.messages, std::vector<ShownMessage>{ensureFailureMessages(app)[i]});

        // Even the probe folder that the failed removal left behind does not stop the next call.
        app.ui.messages.clear();
        EXPECT_TRUE(app.store.ensure(true));
        EXPECT_TRUE(app.ui.messages.empty());
        for (const BackedUp& file : kFiles)
            EXPECT_EQ(readBytes(app.backupOf(file)), app.files.*file.content) << file.name;
    }
}

// "备份" twice: the first keeps the ensure's backup as lumivel_BAK_old, the second finds
// that name taken and replaces the first click's backup.
TEST(BackupStoreRecreate, KeepsTheFirstReplacedBackupAsOld) {
    BackupApp app;
    ASSERT_TRUE(app.store.ensure(true));
    app.changeLiveFiles("first click");
    app.store.recreate();
    for (const BackedUp& file : kFiles) {
        EXPECT_EQ(readBytes(app.oldBackupOf(file)), app.files.*file.content) << file.name;
        EXPECT_EQ(readBytes(app.backupOf(file)), app.liveContent(file)) << file.name;
    }
    app.changeLiveFiles("second click");
    app.store.recreate();
    for (const BackedUp& file : kFiles) {
        EXPECT_EQ(readBytes(app.oldBackupOf(file)), app.files.*file.content) << file.name;
        EXPECT_EQ(readBytes(app.backupOf(file)), app.liveContent(file)) << file.name;
    }
    EXPECT_TRUE(app.ui.messages.empty());
}

// Without any backup, and in the two-store layout: the X stores are copied whatever the
// layout, and each missing one is reported while the others are still made.
TEST(BackupStoreRecreate, ReportsEachMissingFileAndGoesOn) {
    BackupApp app(IndexLayout::TwoStore);
    fs::remove(app.liveOf(kFiles[3]));
    fs::remove(app.liveOf(kFiles[4]));
    app.store.recreate();
    const std::string backup = joinPath(text(app.resources()), {"lumivel_BAK", ""});
    EXPECT_EQ(app.ui.messages, (std::vector<ShownMessage>{
                                   {"创建备份文件失败：" + backup + "PSIconsXHighRes.dat", "错误", MessageIcon::Error},
                                   {"创建备份文件失败：" + backup + "PSIconsXLowRes.dat", "错误", MessageIcon::Error},
                               }));
    for (const BackedUp& file : kFiles)
        if (!file.xStore)
            EXPECT_EQ(readBytes(app.backupOf(file)), app.files.*file.content) << file.name;
    EXPECT_FALSE(files::exists(app.resources() / "lumivel_BAK_old"));
}

TEST(BackupStoreRestoreFile, CopiesTheBackupOverTheLiveFile) {
    BackupApp app;
    EXPECT_FALSE(app.store.restoreFile(BackupFolder::Dictionary, "tw10428.dat")); // no backup yet
    ASSERT_TRUE(app.store.ensure(true));
    app.changeLiveFiles("applied");
    for (const BackedUp& file : kFiles) {
        EXPECT_TRUE(app.store.restoreFile(file.folder, file.name));
        EXPECT_EQ(app.liveContent(file), app.files.*file.content) << file.name;
    }
    EXPECT_TRUE(app.ui.messages.empty());
}

// A live file that is its backup followed by what Lumivel appended is cut back, and one that
// equals its backup is left alone; whatever else it holds is copied over. Every way ends with
// the live file equal to the backup. The operation count shows which way was taken: two
// sizes, two opens for the comparison, then the cut or the copy.
TEST(BackupStoreRestoreFile, EveryLiveStateEndsEqualToTheBackup) {
    auto same = [](Bytes b) { return b; };
    auto appended = [](Bytes b) {
        append(b, bytesOf("an appended image"));
        return b;
    };
    struct Case {
        const char* name;
        std::function<Bytes(Bytes)> live; ///< from the backup's bytes; nothing: the file is missing
        int failAt;                       ///< the file operation that fails, 0 for none
        int operations;                   ///< file operations of the whole restore
    };
    const Case cases[] = {
        {"already equal: nothing written", same, 0, 4},
        {"backup followed by appended images: cut back", appended, 0, 5},
        {"same length, one byte changed: copied", [](Bytes b) { b[b.size() / 2] ^= 0xFF; return b; }, 0, 5},
        {"shorter than the backup: copied", [](Bytes b) { b.resize(b.size() / 2); return b; }, 0, 3},
        {"longer, not beginning with the backup: copied", [&](Bytes b) { b = appended(b); b[0] ^= 0xFF; return b; }, 0, 5},
        {"missing: copied", nullptr, 0, 3},
        {"size of the backup unreadable: copied", appended, 1, 3},
        {"comparison unreadable: copied", appended, 3, 4},
        {"cut refused: copied", appended, 5, 6},
    };
    const BackedUp& store = kFiles[1]; // PSIconsHighRes.dat
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BackupApp app;
        ASSERT_TRUE(app.store.ensure(true));
        const Bytes& backup = app.files.*store.content;
        if (c.live)
            writeBytes(app.liveOf(store), c.live(backup));
        else
            fs::remove(app.liveOf(store));

        files::failOperationForTesting(c.failAt); // 0: only counts
        EXPECT_TRUE(app.store.restoreFile(store.folder, store.name));
        EXPECT_EQ(files::operationCountForTesting(), c.operations);
        files::failOperationForTesting(0);
        EXPECT_EQ(app.liveContent(store), backup);
        EXPECT_EQ(readBytes(app.backupOf(store)), backup) << "the backup copy is never written";
    }
}

} // namespace
} // namespace lumivel::testing
