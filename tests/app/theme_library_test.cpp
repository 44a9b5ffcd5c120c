#include "app/theme_library.h"

#include "app/theme_import.h"
#include "iconres/iconres_fixture.h"
#include "installation/backup_store.h"
#include "platform/files.h"
#include "platform/text.h"
#include "themes/theme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace lumivel::testing {
namespace {

namespace fs = std::filesystem;

void put(const fs::path& file, std::string_view text) {
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(files::writeFileAtomic(file, bytesOf(text)));
}

// A theme folder below the app's themes root with the given files, each holding its own name.
void makeTheme(const FixtureApp& app, std::string_view name, std::vector<std::string_view> fileNames,
               std::string_view info = "[Lumivel_theme]\r\ninfo=说明\r\n") {
    fs::path folder = themeFolder(app.state.themesRoot, name);
    fs::create_directories(folder);
    for (std::string_view file : fileNames)
        put(folder / pathFromText(file), file == "info.ini" ? info : file);
}

std::vector<std::string> pseudoEntriesAnd(std::vector<std::string> themes) {
    themes.insert(themes.begin(), {"[当前]", "[默认]"});
    return themes;
}

// Wine started in the C locale cannot name a file in Chinese on the Linux side at all.
bool holdsChineseNames(const fs::path& folder) {
    fs::create_directories(folder);
    return files::createFolder(folder / pathFromText("中文")).ok();
}

TEST(ThemeLibrary, TheListHoldsThePseudoEntriesThenTheThemesInTheFileSystemsOrder) {
    FixtureApp app;
    bool chinese = holdsChineseNames(app.folder.path() / "probe");
    makeTheme(app, "Theme", {"info.ini", "loading_low.png"});
    makeTheme(app, "OnlyInfo", {"info.ini"});
    makeTheme(app, "OnlySplash", {"loading_low.png"});
    makeTheme(app, ".hidden", {"info.ini", "loading_low.png"});
    if (chinese)
        makeTheme(app, "[当前]", {"info.ini", "loading_low.png"});
    put(app.state.themesRoot / "file.txt", "not a folder");
    // The order the file system lists them in, whatever it is.
    std::vector<std::string> themes;
    for (const auto& item : fs::directory_iterator(app.state.themesRoot)) {
        std::string name = textFromPath(item.path().filename());
        if (name == "Theme" || name == ".hidden" || name == "[当前]")
            themes.push_back(name);
    }
    app.view.description = "shown before";

    ThemeLibrary library(app.state);
    library.rebuildList();

    EXPECT_EQ(library.entries(), pseudoEntriesAnd(themes));
    EXPECT_EQ(app.view.themeEntries, library.entries());
    EXPECT_EQ(library.selectedPosition(), 0u);
    EXPECT_EQ(app.view.selectedThemePosition, 0u);
    EXPECT_EQ(app.view.selectorFaceText, "[当前]");
    // Selecting here does not show the entry.
    EXPECT_EQ(app.view.description, "shown before");
    EXPECT_EQ(app.view.refreshes, 0);
    EXPECT_TRUE(app.ui.messages.empty());
}

TEST(ThemeLibrary, AMissingThemesRootGivesThePseudoEntriesOnly) {
    FixtureApp app;
    ThemeLibrary library(app.state);
    library.rebuildList();
    EXPECT_EQ(library.entries(), pseudoEntriesAnd({}));
    EXPECT_FALSE(files::exists(app.state.themesRoot)) << "the scan never makes the themes root";
}

TEST(ThemeLibrary, PickingAThemeShowsWhatItsFolderHolds) {
    FixtureApp app;
    makeTheme(app, "Stars", {"info.ini", "loading_low.png", "word.txt", "ico_light_low.png"},
              "[LUMIVEL_THEME]\r\ninfo=星空\r\nby=小明\r\nbyurl=http://a.example\r\nre=银河\r\nreurl=http://b.example\r\n"
              "loadtext=no\r\n");
    ThemeLibrary library(app.state);
    library.rebuildList();
    library.unfoldSelector();
    EXPECT_TRUE(app.view.selectorUnfolded);

    library.pickEntry(2);

    EXPECT_FALSE(app.view.selectorUnfolded);
    EXPECT_EQ(app.view.selectorFaceText, "Stars");
    EXPECT_EQ(app.view.description, "星空");
    EXPECT_TRUE(app.view.badgesVisible);
    EXPECT_EQ(app.view.badges, (ThemeBadges{true, false, true}));
    EXPECT_EQ(app.view.authorLink, (StoredView::Link{"小明", "http://a.example"}));
    EXPECT_EQ(app.view.referenceLink, (StoredView::Link{"银河", "http://b.example"}));
    EXPECT_TRUE(app.state.textHidden);
    EXPECT_TRUE(app.view.textHiddenSwitch);
    EXPECT_TRUE(app.view.textLayerHidden);
    EXPECT_EQ(app.view.splash, bytesOf("loading_low.png"));
    EXPECT_TRUE(app.view.darkIcon.empty()) << "a theme without a dark icon leaves that box blank";
    EXPECT_EQ(app.view.lightIcon, bytesOf("ico_light_low.png"));
    EXPECT_EQ(app.view.refreshes, 1);

    // "[当前]" shows the installed look and no badges, and leaves the links as the theme set them.
    library.pickEntry(0);
    EXPECT_FALSE(app.view.badgesVisible);
    EXPECT_EQ(app.view.description, "当前 Photoshop 的启动画面");
    EXPECT_EQ(app.view.splash, bytesOf("splash-1x-image"));
    EXPECT_FALSE(app.state.textHidden);
    EXPECT_EQ(app.view.authorLink, (StoredView::Link{"小明", "http://a.example"}));

    // A rebuild puts "[当前]" on the face and leaves the rest as it was shown.
    library.pickEntry(2);
    library.rebuildList();
    EXPECT_EQ(app.view.selectorFaceText, "[当前]");
    EXPECT_EQ(app.view.description, "星空");
}

TEST(ThemeLibrary, AThemeFolderNamedLikeAPseudoEntryShowsThePseudoEntry) {
    FixtureApp app;
    if (!holdsChineseNames(app.folder.path() / "probe"))
        GTEST_SKIP() << "this file system cannot hold Chinese file names";
    ASSERT_TRUE(BackupStore(Installation(app.state.photoshopRoot), app.ui).ensure(true));
    makeTheme(app, "[默认]", {"info.ini", "loading_low.png"});
    ThemeLibrary library(app.state);
    library.rebuildList();
    ASSERT_EQ(library.entries(), pseudoEntriesAnd({"[默认]"}));

    library.pickEntry(2);

    EXPECT_EQ(app.view.description, "Photoshop 的默认启动画面（备份的画面）");
    EXPECT_FALSE(app.view.badgesVisible);
    EXPECT_EQ(app.view.splash, bytesOf("splash-1x-image"));
}

TEST(ThemeLibrary, PreviousAndNextWrapAcrossThePseudoEntries) {
    FixtureApp app;
    ThemeLibrary library(app.state);
    library.rebuildList();
    library.selectPrevious();
    EXPECT_EQ(library.selectedEntry(), "[默认]") << "with no themes the last entry is [默认]";

    makeTheme(app, "Only", {"info.ini", "loading_low.png"});
    library.rebuildList();
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        library.selectNext();
        seen.push_back(library.selectedEntry());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"[默认]", "Only", "[当前]", "[默认]"}));
    library.selectPrevious();
    library.selectPrevious();
    EXPECT_EQ(library.selectedEntry(), "Only");
    EXPECT_EQ(app.view.selectorFaceText, "Only");
    EXPECT_EQ(app.view.description, "说明") << "each step shows the entry it lands on";
}

TEST(ThemeLibrary, TheThemeMenuAndTheFoldersGoToTheShell) {
    FixtureApp app;
    ThemeLibrary library(app.state);
    ThemeImport import(app.state, library);
    app.ui.menuAnswers = {2, 3, 0};

    library.showThemeMenu(import);
    library.showThemeMenu(import);
    library.showThemeMenu(import);
    library.showThemeMenu(import); // dismissed

    EXPECT_EQ(app.ui.menus, std::vector<std::string>(4, "主题菜单|添加主题||打开主题目录|获取更多主题..."));
    EXPECT_EQ(app.ui.exploredFolders, std::vector<fs::path>{app.state.themesRoot});
    EXPECT_EQ(app.ui.openedAddresses, std::vector<std::string>{std::string(kMoreThemesAddress)});
    EXPECT_EQ(app.ui.fileDialogs.size(), 1u) << "添加主题 asks for a package";

    library.openTemplateFolder();
    EXPECT_EQ(app.ui.exploredFolders.back(), app.state.programFolder / pathFromText("模板"));
}

} // namespace
} // namespace lumivel::testing
