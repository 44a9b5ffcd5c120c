// The locator and the start-up restore of the Photoshop location, driven through the
// recording Ui and View.
#include "app/app_state.h"
#include "app/locator.h"
#include "app/settings.h"
#include "app/start_up.h"
#include "installation/installation.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "sample_installation/sample_installation.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <optional>

namespace lumivel {
namespace {

using testing::FileDialogCall;
using testing::ShownMessage;

std::string suitableText(const std::string& version, const std::string& root) {
    return "选择的 Photoshop 版本为：" + version +
           "\r\n本程序在 Photoshop CC2015.1.2（16.1.2）下测试通过，理论上适用于所有 CC2015 （16.x.x）版本。"
           "\r\n可以对你的 Photoshop 使用，但也请做好备份以免意外。\r\n修改启动图将修改以下文件夹内的内容：\r\n" +
           root + "Locales\r\n" + root + "Resources";
}

std::string unsuitableText(const std::string& version) {
    return "选择的 Photoshop 版本为：" + version +
           "\r\n本程序适用于 Photoshop CC2015（16.x.x）版本，未对其他版本作测试，不适用于你的 Photoshop 版本。";
}

const FileDialogCall kPhotoshopDialog{"Photoshop.exe|Photoshop.exe", "", "找到 Photoshop 的位置"};

// A program folder (for setting.ini) and a Photoshop installation beside it.
struct Fixture {
    testing::TempFolder temp;
    testing::RecordingUi ui;
    testing::RecordingView view;
    AppState state{ui, view, temp.path() / "program"};
    std::string root;

    explicit Fixture(const std::string& version = "16.1.2") {
        std::filesystem::create_directories(temp.path() / "program");
        auto rootPath = temp.path() / "Adobe Photoshop CC 2015";
        sample::SampleOptions options;
        options.productVersion = version;
        sample::createSampleInstallation(rootPath, options);
        root = withTrailingBackslash(textFromPath(rootPath));
    }
    std::string exe() const { return root + "Photoshop.exe"; }
    Installation installation() const { return Installation(root); }
    void remove(const std::string& path) { std::filesystem::remove(pathFromText(path)); }
    std::optional<std::string> storedRoot() const {
        if (!files::exists(state.settingsFile))
            return std::nullopt;
        return readStoredPhotoshopRoot(state.settingsFile);
    }
};

TEST(Locator, AcceptsAnInstallationOfEveryVersionWhoseFilesExist) {
    struct Case {
        std::string version;
        bool suitable;
    };
    for (const Case& c : {Case{"16.1.2", true}, Case{"17.0.1", true}, Case{"15.0.0", false}, Case{"", false}}) {
        SCOPED_TRACE(c.version);
        Fixture f(c.version);
        f.ui.fileAnswers = {f.exe()};

        EXPECT_EQ(locatePhotoshop(f.state), LocateOutcome::Accepted);

        ShownMessage verdict = c.suitable ? ShownMessage{suitableText(c.version, f.root), "可以使用", MessageIcon::None}
                                          : ShownMessage{unsuitableText(c.version), "不适用的版本", MessageIcon::None};
        EXPECT_EQ(f.ui.messages, std::vector<ShownMessage>{verdict});
        EXPECT_EQ(f.ui.fileDialogs, std::vector<FileDialogCall>{kPhotoshopDialog});
        EXPECT_EQ(f.state.photoshopRoot, f.root);
        EXPECT_EQ(f.state.indexPath, f.installation().indexFile());
        EXPECT_EQ(f.view.pathText, f.root);
        EXPECT_EQ(f.storedRoot(), f.root);
        // The installed look is shown at once.
        EXPECT_FALSE(f.view.splash.empty());
        EXPECT_EQ(f.view.description, "当前 Photoshop 的启动画面");
    }
}

TEST(Locator, CancelledOrMissingChoiceChangesNothingButThePathBox) {
    for (std::string answer : {"失败", "", "/no/such/Photoshop.exe"}) {
        SCOPED_TRACE(answer);
        Fixture f;
        f.state.setPhotoshopRoot(f.root);
        f.view.pathText = "typed by the user";
        f.ui.fileAnswers = {answer};

        EXPECT_EQ(locatePhotoshop(f.state), LocateOutcome::Cancelled);

        EXPECT_TRUE(f.ui.messages.empty());
        EXPECT_EQ(f.state.photoshopRoot, f.root);
        EXPECT_EQ(f.view.pathText, f.root);
        EXPECT_EQ(f.storedRoot(), std::nullopt);
    }
}

TEST(Locator, MissingIndexLeavesNoInstallationAtAll) {
    Fixture f;
    Fixture previous;
    f.state.setPhotoshopRoot(previous.root);
    f.view.pathText = previous.root;
    f.remove(f.installation().indexFile());
    f.ui.fileAnswers = {f.exe()};

    EXPECT_EQ(locatePhotoshop(f.state), LocateOutcome::IndexMissing);

    ASSERT_EQ(f.ui.messages.size(), 2u);
    EXPECT_EQ(f.ui.messages[1], (ShownMessage{"Photoshop IconResources.idx 不存在：" + f.installation().indexFile() + "\r\n",
                                              "无效路径", MessageIcon::None}));
    EXPECT_EQ(f.state.photoshopRoot, "");
    EXPECT_EQ(f.state.indexPath, "");
    EXPECT_EQ(f.view.pathText, previous.root);
    EXPECT_EQ(f.storedRoot(), std::nullopt);
}

TEST(Locator, MissingDictionaryAsksForAStandIn) {
    for (bool confirmed : {false, true}) {
        SCOPED_TRACE(confirmed);
        Fixture f;
        f.remove(f.installation().dictionaryFile());
        f.ui.fileAnswers = {f.exe(), confirmed ? f.exe() : std::string("失败")};

        LocateOutcome outcome = locatePhotoshop(f.state);

        ASSERT_EQ(f.ui.messages.size(), 2u);
        const ShownMessage& missing = f.ui.messages[1];
        EXPECT_EQ(missing.caption, "无效路径");
        EXPECT_EQ(missing.icon, MessageIcon::None);
        EXPECT_NE(missing.text.find("tw10428.dat"), std::string::npos);
        EXPECT_NE(missing.text.find(f.installation().dictionaryFile()), std::string::npos);
        ASSERT_EQ(f.ui.fileDialogs.size(), 2u);
        EXPECT_EQ(f.ui.fileDialogs[1], (FileDialogCall{"*.dat|*.dat", f.installation().localesFolder(), ""}));
        // Either way the new installation is held; only a confirmation stores and shows it.
        EXPECT_EQ(f.state.photoshopRoot, f.root);
        if (confirmed) {
            EXPECT_EQ(outcome, LocateOutcome::Accepted);
            EXPECT_EQ(f.view.pathText, f.root);
            EXPECT_EQ(f.storedRoot(), f.root);
        } else {
            EXPECT_EQ(outcome, LocateOutcome::DictionaryNotConfirmed);
            EXPECT_EQ(f.view.pathText, "");
            EXPECT_EQ(f.storedRoot(), std::nullopt);
        }
    }
}

TEST(StartUp, RunsTheLocatorWhenNothingIsStored) {
    Fixture f;
    f.ui.fileAnswers = {f.exe()};
    restorePhotoshopPath(f.state);
    EXPECT_EQ(f.ui.fileDialogs, std::vector<FileDialogCall>{kPhotoshopDialog});
    EXPECT_EQ(f.state.photoshopRoot, f.root);
    EXPECT_EQ(f.view.pathText, f.root);
    EXPECT_EQ(f.storedRoot(), f.root);
}

TEST(StartUp, CancelledLocatorLeavesTheProgramUnlocated) {
    Fixture f;
    restorePhotoshopPath(f.state);
    EXPECT_EQ(f.ui.fileDialogs.size(), 1u);
    EXPECT_TRUE(f.ui.messages.empty());
    EXPECT_FALSE(f.state.isLocated());
    EXPECT_EQ(f.view.pathText, "");
}

// Fixed fault: an empty candidate used to be tested as "photoshop.exe" in the working
// folder, so a stray file there made the working folder Photoshop's root.
TEST(StartUp, NeverTakesTheWorkingFolderAsPhotoshop) {
    Fixture f;
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(pathFromText(f.root));
    restorePhotoshopPath(f.state);
    std::filesystem::current_path(previous);
    EXPECT_FALSE(f.state.isLocated());
    EXPECT_EQ(f.state.photoshopRoot, "");
}

TEST(StartUp, StoredLocationIsTakenOnlyWherePhotoshopExeIsFound) {
    struct Case {
        const char* name;
        std::string version;
        bool trailingSeparator;
        bool removeIndex;
        bool located;
    };
    const Case cases[] = {
        {"stored 16.x installation", "16.1.2", true, false, true},
        {"version 15 is accepted at start-up", "15.0.0", true, false, true},
        {"hand-edited value without trailing separator", "16.1.2", false, false, false},
        {"index removed after it was stored", "16.1.2", true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(c.version);
        std::string stored = f.root;
        if (!c.trailingSeparator)
            stored.pop_back();
        ASSERT_TRUE(storePhotoshopRoot(f.state.settingsFile, stored).ok());
        Bytes settingsBefore = files::readFileOrEmpty(f.state.settingsFile);
        if (c.removeIndex)
            f.remove(f.installation().indexFile());

        restorePhotoshopPath(f.state);

        EXPECT_TRUE(f.ui.fileDialogs.empty());
        EXPECT_TRUE(f.ui.messages.empty());
        EXPECT_EQ(f.state.isLocated(), c.located);
        EXPECT_EQ(f.state.photoshopRoot, c.located ? f.root : "");
        EXPECT_EQ(f.state.indexPath, c.located ? f.installation().indexFile() : "");
        EXPECT_EQ(f.view.pathText, c.located ? f.root : "");
        EXPECT_EQ(files::readFileOrEmpty(f.state.settingsFile), settingsBefore);
    }
}

} // namespace
} // namespace lumivel
