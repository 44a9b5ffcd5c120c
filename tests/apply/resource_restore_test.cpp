#include "apply/resource_restore.h"

#include "app/live_index.h"
#include "apply/apply_fixture.h"
#include "installation/installation.h"
#include "platform/files.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumivel {
namespace {

namespace fs = std::filesystem;
using testing::ApplyFixture;
using testing::FileSnapshot;

const std::string kIndex(kIndexFileName);
const std::string kLow(storeFileName(DensityFile::LowRes));
const std::string kHigh(storeFileName(DensityFile::HighRes));

enum class Start {
    GrownStores,      ///< a theme applied: the live stores are the backup's and more
    NewerPhotoshop,   ///< the backup's LowRes store is longer than the live one, and used
    DamagedBackup,    ///< the backup index is no index
};

void writeOrFail(const fs::path& file, ByteView bytes) { ASSERT_TRUE(files::writeFileAtomic(file, bytes).ok()); }

// Lays the setup out and gives the backup copies as they now are.
FileSnapshot lay(ApplyFixture& f, Start setup) {
    f.addTheme("splashes", {ImageSlot::SplashLow, ImageSlot::SplashHigh});
    f.applyEntry(setup == Start::NewerPhotoshop ? "[默认]" : "splashes", false);
    fs::path backup = f.backupFolder(false);
    if (setup == Start::NewerPhotoshop) {
        // The backup's splash lies past the end of the live LowRes store.
        Bytes store = f.original.at(kLow);
        auto offset = static_cast<std::int32_t>(store.size());
        store.resize(store.size() + 1000, 0x5A);
        writeOrFail(backup / kLow, store);
        IconResourceIndex index;
        EXPECT_TRUE(index.load(f.original.at(kIndex), f.ui));
        auto& splash = index.entryAt(*index.positionOf(kSplashEntry));
        splash.setOffset(DensityFile::LowRes, offset);
        splash.setLength(DensityFile::LowRes, 1000);
        writeOrFail(backup / kIndex, index.serialize());
    }
    if (setup == Start::DamagedBackup)
        writeOrFail(backup / kIndex, bytesOf("not an index"));
    f.ui.messages.clear();
    FileSnapshot copies;
    for (const auto& [name, bytes] : f.original)
        if (name != kDictionaryFileName)
            copies[name] = files::readFileOrEmpty(backup / pathFromText(name));
    return copies;
}

struct Case {
    const char* name;
    Start setup;
    AfterRestoreFailure afterFailure;
    std::vector<std::string> restored;  ///< files equal to their backup copy afterwards
    std::vector<std::string> reported;  ///< files named in "重置文件错误：", in order
};

TEST(RestoreIconResources, OrderKeepsTheIndexInsideTheStores) {
    const std::string kXLow(storeFileName(DensityFile::XLowRes)), kXHigh(storeFileName(DensityFile::XHighRes));
    const Case cases[] = {
        {"grown stores", Start::GrownStores, AfterRestoreFailure::Stop, {kIndex, kXLow, kXHigh, kLow, kHigh}, {}},
        {"a longer backup store goes back before the index", Start::NewerPhotoshop, AfterRestoreFailure::Stop,
         {kIndex, kXLow, kXHigh, kLow, kHigh}, {}},
        // The damaged index is never copied, and the stores it would have to fit stay long.
        {"damaged backup index, stopping", Start::DamagedBackup, AfterRestoreFailure::Stop, {}, {kIndex}},
        {"damaged backup index, going on", Start::DamagedBackup, AfterRestoreFailure::GoOn, {kXLow, kXHigh},
         {kIndex, kLow, kHigh}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ApplyFixture f;
        FileSnapshot copies = lay(f, c.setup);
        FileSnapshot before = f.live();
        bool all = restoreIconResources(Installation(f.state.photoshopRoot), f.ui, true, c.afterFailure);
        EXPECT_EQ(all, c.reported.empty());

        FileSnapshot live = f.live();
        for (const auto& [name, bytes] : copies) {
            bool restored = std::find(c.restored.begin(), c.restored.end(), name) != c.restored.end();
            EXPECT_TRUE(live[name] == (restored ? bytes : before[name])) << name;
        }
        std::vector<testing::ShownMessage> expected;
        for (const std::string& name : c.reported)
            expected.push_back({"重置文件错误：" + textFromPath(f.backupFolder(false) / name), "错误", MessageIcon::Error});
        EXPECT_EQ(f.ui.messages, expected);
        testing::expectIndexInsideStores(f);
    }
}

// Whichever copy fails, what has been copied by then leaves the index inside the stores.
TEST(RestoreIconResources, AnyFailedCopyLeavesTheIndexInsideTheStores) {
    for (Start setup : {Start::GrownStores, Start::NewerPhotoshop}) {
        for (AfterRestoreFailure afterFailure : {AfterRestoreFailure::Stop, AfterRestoreFailure::GoOn}) {
            ApplyFixture f;
            (void)lay(f, setup);
            FileSnapshot start = f.live();
            for (int n = 1;; ++n) {
                SCOPED_TRACE("file operation " + std::to_string(n) + " fails");
                for (const auto& [name, bytes] : start)
                    writeOrFail(f.sample.resourcesFolder / name, bytes);
                files::failOperationForTesting(n);
                (void)restoreIconResources(Installation(f.state.photoshopRoot), f.ui, true, afterFailure);
                bool hit = files::operationCountForTesting() >= n;
                files::failOperationForTesting(0);
                testing::expectIndexInsideStores(f);
                testing::expectNoTemporaryFiles(f);
                if (!hit || HasFailure())
                    break;
            }
        }
    }
}

} // namespace
} // namespace lumivel
