// Fails each file operation of an Apply in turn and checks that no failure leaves Photoshop
// damaged: the backup untouched, the index inside the stores, no temporary file behind, only
// the program's own messages, and no failure passed off as success.
#include "apply/apply_look.h"

#include "app/app_state.h"
#include "app/live_index.h"
#include "apply/apply_fixture.h"
#include "installation/installation.h"
#include "locale/custom_block.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace lumivel {
namespace {

using testing::ApplyFixture;
using testing::FileSnapshot;
using testing::ShownMessage;

const std::vector<ImageSlot> kAllSlots = {ImageSlot::SplashLow,   ImageSlot::SplashHigh,   ImageSlot::DarkIconLow,
                                          ImageSlot::DarkIconHigh, ImageSlot::LightIconLow, ImageSlot::LightIconHigh};
const Bytes kWord = {'"', 0, '$', 0, '$', 0, '$', 0, '/', 0, 'X', 0, '=', 0, 'Y', 0, '"', 0, '\r', 0, '\n', 0};
const std::string kBackupMissing = "没有创建备份，所以无法为你进行下一步操作";

struct Allowed {
    std::string prefix;
    std::string caption;
    MessageIcon icon;
};

// Every message an Apply may show when a file operation fails.
const std::vector<Allowed> kAllowed = {
    {"重置文件错误：", "错误", MessageIcon::Error},
    {"创建备份文件失败：", "错误", MessageIcon::Error},
    {"没有目录权限02", "错误", MessageIcon::None},
    {"没有目录权限01", "错误", MessageIcon::None},
    {kBackupMissing, "信息：", MessageIcon::None},
    {"读取到的索引长度为 0 ，", "错误", MessageIcon::Error},
    {"无法载入还原后的索引文件，没有写入图片：", "错误", MessageIcon::Error},
    {"无法读取文件：", "错误", MessageIcon::Error},
    {"无法写入文件：", "错误", MessageIcon::Error},
    {"文件不存在：", "错误", MessageIcon::Error},
    {"读取字典文件错误，启动文字未写入：", "错误", MessageIcon::Error},
    {"写入字典文件错误，启动文字未写入：", "错误", MessageIcon::Error},
    {"修改完成", "应用", MessageIcon::None},
};

bool isAllowed(const ShownMessage& m) {
    for (const Allowed& a : kAllowed)
        if (m.text.starts_with(a.prefix) && m.caption == a.caption && m.icon == a.icon)
            return true;
    return false;
}

bool isFailure(const ShownMessage& m) {
    return m.caption == "错误" || m.icon == MessageIcon::Error || m.text.starts_with(kBackupMissing);
}

struct Sweep {
    const char* name;
    bool earlierTheme;   ///< a theme was applied first (backup made, stores grown)
    std::string entry;   ///< what the faulted Apply applies
};

void lay(ApplyFixture& f, const Sweep& sweep) {
    f.addTheme("splashes", {ImageSlot::SplashLow, ImageSlot::SplashHigh});
    f.addTheme("all-six", kAllSlots, kWord);
    if (sweep.earlierTheme)
        f.applyEntry("splashes", true);
    f.ui.messages.clear();
}

// What a run may leave when it showed no failure: the outcome of a successful run, or the
// one fault the program takes silently: a word.txt that cannot be read gives an empty body.
// An image that cannot be read is reported, never taken as empty.
std::vector<FileSnapshot> silentOutcomes(const ApplyFixture& f, const Sweep& sweep) {
    if (sweep.entry == kDefaultLookEntry)
        return {f.original};
    testing::SlotBytes images = testing::themeImages(f, sweep.entry, kAllSlots);
    std::vector<FileSnapshot> outcomes;
    for (const Bytes& body : {kWord, Bytes{}}) {
        FileSnapshot files = testing::afterImages(f, images);
        append(files[std::string(kDictionaryFileName)], themeTextBlock(body));
        outcomes.push_back(files);
    }
    return outcomes;
}

// Every file below a folder, so that a run can start again from the same installation
// without building it anew.
using FolderCopy = std::map<std::filesystem::path, Bytes>;

FolderCopy copyOf(const std::filesystem::path& root) {
    FolderCopy copy;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            copy[entry.path()] = files::readFileOrEmpty(entry.path());
    return copy;
}

void putBack(const std::filesystem::path& root, const FolderCopy& copy) {
    std::filesystem::remove_all(root);
    for (const auto& [path, bytes] : copy) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    }
}

// Runs the sweep's Apply with its Nth file operation failing, on the installation as `start`
// holds it; false once no fault was hit.
bool runWithFault(ApplyFixture& f, const Sweep& sweep, const FolderCopy& start, int n) {
    SCOPED_TRACE(std::string(sweep.name) + ", file operation " + std::to_string(n) + " fails");
    putBack(f.sample.root, start);
    f.ui.messages.clear();
    (void)loadLiveIndex(f.state);

    files::failOperationForTesting(n);
    f.applyEntry(sweep.entry, true);
    bool hit = files::operationCountForTesting() >= n;
    files::failOperationForTesting(0);

    testing::expectIndexInsideStores(f);
    testing::expectNoTemporaryFiles(f);
    testing::expectBackupsPristine(f);

    const auto& messages = f.ui.messages;
    for (const ShownMessage& m : messages)
        EXPECT_TRUE(isAllowed(m)) << m.caption << ": " << m.text;
    EXPECT_FALSE(messages.empty());
    if (!messages.empty()) {
        // Only a backup that cannot be made stops the Apply before its end.
        const ShownMessage& last = messages.back();
        EXPECT_TRUE(last.text == "修改完成" || last.text.starts_with(kBackupMissing)) << last.text;
    }

    bool failureShown = false;
    for (const ShownMessage& m : messages)
        failureShown = failureShown || isFailure(m);
    if (!failureShown) {
        auto outcomes = silentOutcomes(f, sweep);
        EXPECT_NE(std::find(outcomes.begin(), outcomes.end(), f.live()), outcomes.end())
            << "the files differ from a successful run, and nobody was told";
    }
    return hit;
}

TEST(ApplyFailures, EveryFileOperationOfAnApplyFailingInTurn) {
    const Sweep sweeps[] = {
        {"six images over an earlier theme", true, "all-six"},
        {"six images on a fresh installation", false, "all-six"},
        {"[默认] over an earlier theme", true, "[默认]"},
    };
    for (const Sweep& sweep : sweeps) {
        ApplyFixture f;
        lay(f, sweep);
        FolderCopy start = copyOf(f.sample.root);
        int n = 1;
        while (runWithFault(f, sweep, start, n) && !HasFailure())
            ++n;
        if (!HasFailure())
            EXPECT_GT(n, 1) << sweep.name << ": no file operation was made to fail";
    }
}

} // namespace
} // namespace lumivel
