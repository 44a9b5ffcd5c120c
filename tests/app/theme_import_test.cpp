#include "app/theme_import.h"

#include "app/app_state.h"
#include "app/theme_library.h"
#include "platform/files.h"
#include "platform/text.h"
#include "themes/theme.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"
#include "support/zip_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace lumivel::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kInfo = "[Lumivel_theme]\r\ninfo=测试主题\r\n";

// A view that counts how often the theme list was refilled.
class CountingView : public RecordingView {
public:
    void setThemeEntries(const std::vector<std::string>& entries) override {
        RecordingView::setThemeEntries(entries);
        ++rebuilds;
    }
    int rebuilds = 0;
};

// The program in a temp folder: program/ with its LumivelTheme/ (which exists, as the release
// ships it), and packages/ where the user keeps the files to import.
struct ImportApp {
    ImportApp() : state(ui, view, folder.path() / "program"), library(state), import(state, library) {
        fs::create_directories(state.themesRoot);
        fs::create_directories(packages());
        library.rebuildList();
        view.rebuilds = 0;
    }

    // Windows cannot remove a read-only file with the temp folder.
    ~ImportApp() {
        std::error_code ec;
        for (const auto& item : fs::recursive_directory_iterator(folder.path(), ec))
            fs::permissions(item.path(), fs::perms::owner_write, fs::perm_options::add, ec);
    }

    fs::path packages() const { return folder.path() / "packages"; }
    fs::path package(std::string_view name) const { return packages() / pathFromText(name); }
    std::string themeText(std::string_view name) const { return textFromPath(themeFolder(state.themesRoot, name)); }

    void writePackage(std::string_view name, ByteView bytes) const {
        ASSERT_TRUE(files::writeFileAtomic(package(name), bytes));
    }

    // Every file and folder below the program's folder, with '/' between the names.
    std::set<std::string> programTree() const {
        std::set<std::string> tree;
        for (const auto& item : fs::recursive_directory_iterator(folder.path() / "program")) {
            std::string name = textFromPath(item.path().lexically_relative(folder.path() / "program"));
            std::replace(name.begin(), name.end(), '\\', '/');
            tree.insert(name);
        }
        return tree;
    }

    TempFolder folder;
    RecordingUi ui;
    CountingView view;
    AppState state;
    ThemeLibrary library;
    ThemeImport import;
};

// Wine started in the C locale cannot name a file in Chinese on the Linux side at all.
bool holdsChineseNames(const fs::path& folder) { return files::createFolder(folder / pathFromText("中文")).ok(); }

std::vector<ZipEntry> theme(std::vector<ZipEntry> more = {}) {
    std::vector<ZipEntry> entries = {zipFile("info.ini", kInfo), zipFile("loading_low.png", "splash")};
    entries.insert(entries.end(), more.begin(), more.end());
    return entries;
}

ZipEntry withData(ZipEntry entry, std::function<void(ZipEntry&)> change) {
    change(entry);
    return entry;
}

Bytes zeros(std::size_t n) { return Bytes(n, 0); }

struct ImportCase {
    std::string label;
    std::string packageName;
    std::function<Bytes()> package;   ///< nothing written when empty: the file is missing
    std::vector<std::string> before;  ///< read-only files below the program folder beforehand
    int code;
    std::string theme;                ///< the folder name the messages name
    std::set<std::string> after;      ///< the theme folder's files afterwards
    bool chineseNames = false;
};

std::vector<ImportCase> importCases() {
    const std::set<std::string> nothing;
    auto hostile = [](std::string label, ZipEntry bad) {
        return ImportCase{label, "Evil.zip", [bad] { return zipArchive(theme({bad})); }, {}, 0, "Evil", {}};
    };
    return {
        {"a good package", "Good.zip",
         [] { return zipArchive(theme({zipFile("ico_dark_low.png", "dark"), zipFile("extra/readme.txt", "hi")})); },
         {}, 1, "Good", {"Good/info.ini", "Good/loading_low.png", "Good/ico_dark_low.png", "Good/extra/readme.txt"}},
        {"only the last extension goes", "Blue.Sky.zip", [] { return zipArchive(theme()); }, {}, 1, "Blue.Sky",
         {"Blue.Sky/info.ini", "Blue.Sky/loading_low.png"}},
        {"deflated entries", "Packed.zip",
         [] {
             auto entries = theme({zipFile("word.txt", std::string(5000, 'w'))});
             for (auto& e : entries)
                 e.deflate = true;
             return zipArchive(entries);
         },
         {}, 1, "Packed", {"Packed/info.ini", "Packed/loading_low.png", "Packed/word.txt"}},
        {"one top-level folder is the theme", "Wrapped.zip",
         [] {
             return zipArchive({zipFile("Inner/", ""), zipFile("Inner/info.ini", kInfo),
                                zipFile("Inner/loading_low.png", "splash")});
         },
         {}, 1, "Wrapped", {"Wrapped/info.ini", "Wrapped/loading_low.png"}},
        {"no description file inside", "NoInfo.zip", [] { return zipArchive({zipFile("loading_low.png", "s")}); },
         {}, 0, "NoInfo", nothing},
        {"no splash inside", "NoSplash.zip", [] { return zipArchive({zipFile("info.ini", kInfo)}); }, {}, 0,
         "NoSplash", nothing},
        {"the theme two folders deep", "Deep.zip",
         [] { return zipArchive({zipFile("a/b/info.ini", kInfo), zipFile("a/b/loading_low.png", "s")}); }, {}, 0,
         "Deep", nothing},
        {"not a zip archive", "Fake.zip", [] { return bytesOf("this is no zip archive"); }, {}, 0, "Fake", nothing},
        {"an empty archive", "Hollow.zip", [] { return zipArchive({}); }, {}, 0, "Hollow", nothing},
        {"a missing package", "Missing.zip", nullptr, {}, -1, "Missing", nothing},
        {"re-import over a theme with a read-only file", "Old.zip",
         [] { return zipArchive(theme({zipFile("ico_dark_low.png", "new dark")})); },
         {"LumivelTheme/Old/info.ini", "LumivelTheme/Old/ico_dark_low.png", "LumivelTheme/Old/keep.txt"}, 1, "Old",
         {"Old/info.ini", "Old/loading_low.png", "Old/ico_dark_low.png", "Old/keep.txt"}},
        hostile("a .. component", zipFile("../evil.txt", "x")),
        hostile("a .. component with backslashes", zipFile("..\\evil.txt", "x")),
        hostile("a .. component deeper down", zipFile("extra/../../evil.txt", "x")),
        hostile("an absolute name", zipFile("/tmp/evil.txt", "x")),
        hostile("an absolute name with a backslash", zipFile("\\evil.txt", "x")),
        hostile("a drive letter", zipFile("C:evil.txt", "x")),
        hostile("a drive letter and a root", zipFile("C:/evil.txt", "x")),
        hostile("a name Windows trims to ..", zipFile(".. /evil.txt", "x")),
        hostile("a stream name", zipFile("info.ini:hidden", "x")),
        hostile("a device name", zipFile("NUL.txt", "x")),
        hostile("a symbolic link", withData(zipFile("link", "/etc"), [](ZipEntry& e) { e.symbolicLink = true; })),
        hostile("an encrypted entry", withData(zipFile("secret.txt", "x"), [](ZipEntry& e) { e.encrypted = true; })),
        hostile("a real size above the declared one", withData(zipFile("big.txt", ""), [](ZipEntry& e) {
                    e.data = zeros(1 << 20);
                    e.deflate = true;
                    e.declaredSize = 100;
                })),
        hostile("a real size below the declared one",
                withData(zipFile("short.txt", "tiny"), [](ZipEntry& e) { e.declaredSize = 4000; })),
        hostile("a wrong checksum", withData(zipFile("bad.txt", "content"), [](ZipEntry& e) { e.crc = 12345; })),
        hostile("an oversized declared size",
                withData(zipFile("huge.png", "x"), [](ZipEntry& e) { e.declaredSize = 300u << 20; })),
        {"a bomb: many entries that inflate past 256 MB", "Bomb.zip",
         [] {
             std::vector<ZipEntry> entries = theme();
             Bytes block = deflated(zeros(1 << 20));
             for (int i = 0; i < 300; ++i)
                 entries.push_back(zeroEntry("fill/" + std::to_string(i) + ".bin", 1 << 20, block));
             return zipArchive(entries);
         },
         {}, 0, "Bomb", nothing},
        {"more than 1000 entries", "Crowd.zip",
         [] {
             std::vector<ZipEntry> entries = theme();
             for (int i = 0; i < 1000; ++i)
                 entries.push_back(zipFile("many/" + std::to_string(i), "."));
             return zipArchive(entries);
         },
         {}, 0, "Crowd", nothing},
        {"a package named ...zip stays out of the program folder", "...zip", [] { return zipArchive(theme()); },
         {}, 0, "..", nothing},
        {"a package named .zip stays out of the themes root", ".zip", [] { return zipArchive(theme()); }, {}, 0, "",
         nothing},
        {"GBK and UTF-8 entry names", "Names.zip",
         [] {
             return zipArchive(theme({zipFile("\xD0\xC7\xBF\xD5.png", "gbk"),
                                      withData(zipFile("月亮.png", "utf8"), [](ZipEntry& e) { e.utf8Name = true; })}));
         },
         {}, 1, "Names", {"Names/info.ini", "Names/loading_low.png", "Names/星空.png", "Names/月亮.png"}, true},
    };
}

// Every package through the menu's route: result code, message and title, the files written
// (and nothing anywhere else below the program's folder), and whether the list was rebuilt.
TEST(ThemeImport, PackagesFromTheMenu) {
    for (const ImportCase& c : importCases()) {
        SCOPED_TRACE(c.label);
        ImportApp app;
        if (c.chineseNames && !holdsChineseNames(app.packages()))
            continue;
        for (const std::string& item : c.before) {
            fs::path path = app.state.programFolder / pathFromText(item);
            fs::create_directories(path.parent_path());
            ASSERT_TRUE(files::writeFileAtomic(path, bytesOf("old " + item)));
            fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove);
        }
        if (c.package)
            app.writePackage(c.packageName, c.package());
        std::set<std::string> treeBefore = app.programTree();
        app.library.pickEntry(1);
        app.ui.messages.clear();

        app.ui.fileAnswers = {textFromPath(app.package(c.packageName))};
        ImportOutcome outcome = app.import.addPackageFromMenu();

        EXPECT_EQ(outcome.code, c.code) << outcome.problem;
        EXPECT_EQ(app.ui.fileDialogs, (std::vector<FileDialogCall>{{"zip|*.zip", "", ""}}));
        std::string place = app.themeText(c.theme);
        ShownMessage expected =
            c.code == 1 ? ShownMessage{"已添加主题：" + c.packageName + "\r\n" + place, "添加主题", MessageIcon::None}
                        : ShownMessage{"解压主题包错误：" + place, "错误代码：" + std::to_string(c.code),
                                       MessageIcon::None};
        EXPECT_EQ(app.ui.messages, std::vector<ShownMessage>{expected});

        std::set<std::string> treeAfter = treeBefore;
        for (const std::string& file : c.after) {
            for (std::string_view part = file; !part.empty();) {
                treeAfter.insert("LumivelTheme/" + std::string(part));
                auto slash = part.rfind('/');
                part = part.substr(0, slash == std::string_view::npos ? 0 : slash);
            }
        }
        EXPECT_EQ(app.programTree(), treeAfter);

        const auto& entries = app.library.entries();
        bool listed = std::find(entries.begin(), entries.end(), c.theme) != entries.end();
        EXPECT_EQ(listed, c.code == 1);
        EXPECT_EQ(app.view.rebuilds, c.code == 1 ? 1 : 0);
        EXPECT_EQ(app.library.selectedPosition(), c.code == 1 ? 0u : 1u);
    }
}

TEST(ThemeImport, AReimportReplacesSameNamedFilesAndKeepsTheOthers) {
    ImportApp app;
    fs::path old = app.state.themesRoot / "Old";
    fs::create_directories(old);
    ASSERT_TRUE(files::writeFileAtomic(old / "info.ini", bytesOf("old info")));
    ASSERT_TRUE(files::writeFileAtomic(old / "keep.txt", bytesOf("kept")));
    fs::permissions(old / "info.ini", fs::perms::owner_write, fs::perm_options::remove);
    app.writePackage("Old.zip", zipArchive(theme()));

    EXPECT_EQ(ThemeImport::extractPackage(app.package("Old.zip"), old), 1);
    EXPECT_EQ(files::readFileOrEmpty(old / "info.ini"), bytesOf(kInfo));
    EXPECT_EQ(files::readFileOrEmpty(old / "keep.txt"), bytesOf("kept"));
    EXPECT_TRUE((fs::status(old / "info.ini").permissions() & fs::perms::owner_write) != fs::perms::none);
}

// An import killed half-way leaves its staging folder; the next import clears it away.
TEST(ThemeImport, AStagingFolderLeftByAKilledImportGoes) {
    ImportApp app;
    fs::path leftover = app.state.themesRoot / ".lumivel-import" / "Old.123";
    fs::create_directories(leftover);
    ASSERT_TRUE(files::writeFileAtomic(leftover / "info.ini", bytesOf(kInfo)));
    std::error_code ec;
    fs::last_write_time(leftover, fs::file_time_type::clock::now() - std::chrono::hours(2), ec);
    if (ec)
        GTEST_SKIP() << "std::filesystem cannot set a folder's time here (Windows)";
    app.writePackage("New.zip", zipArchive(theme()));

    EXPECT_EQ(ThemeImport::extractPackage(app.package("New.zip"), app.state.themesRoot / "New"), 1);
    EXPECT_FALSE(files::exists(app.state.themesRoot / ".lumivel-import"));
}

TEST(ThemeImport, ACancelledDialogDoesNothing) {
    ImportApp app;
    EXPECT_EQ(app.import.addPackageFromMenu().kind, ImportOutcome::Kind::Cancelled);
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_EQ(app.view.rebuilds, 0);
}

TEST(ThemeImport, DroppedItems) {
    ImportApp app;
    app.writePackage("THEME.ZIP", zipArchive(theme()));
    app.writePackage("theme.rar", zipArchive(theme()));
    fs::path folder = app.packages() / "Folder";
    fs::create_directories(folder);
    ASSERT_TRUE(files::writeFileAtomic(folder / "info.ini", bytesOf(kInfo)));
    ASSERT_TRUE(files::writeFileAtomic(folder / "loading_low.png", bytesOf("s")));

    // One drop of several items: each on its own, with its own message; one rebuild at the end.
    std::string dropped;
    for (std::string_view name : {"THEME.ZIP", "theme.rar", "Folder", "Gone"})
        dropped += textFromPath(app.package(name)) + "\r\n";
    auto outcomes = app.import.onDrop(dropped);

    ASSERT_EQ(outcomes.size(), 4u);
    EXPECT_EQ(outcomes[0].kind, ImportOutcome::Kind::Imported);
    EXPECT_EQ(outcomes[1].kind, ImportOutcome::Kind::Ignored);
    EXPECT_EQ(outcomes[2].kind, ImportOutcome::Kind::Imported);
    EXPECT_EQ(outcomes[3].kind, ImportOutcome::Kind::Failed) << "a path that names nothing is a folder that fails to copy";
    EXPECT_EQ(app.ui.messages,
              (std::vector<ShownMessage>{
                  {"已添加主题：THEME.ZIP\r\n" + app.themeText("THEME"), "添加主题", MessageIcon::None},
                  {"已添加主题：Folder\r\n" + app.themeText("Folder"), "添加主题", MessageIcon::None},
                  {"复制主题包错误：" + app.themeText("Gone"), "复制错误", MessageIcon::None},
              }));
    EXPECT_EQ(app.view.rebuilds, 1);
    auto has = [&](std::string_view name) {
        const auto& e = app.library.entries();
        return std::find(e.begin(), e.end(), name) != e.end();
    };
    EXPECT_TRUE(has("THEME"));
    EXPECT_TRUE(has("Folder"));
    EXPECT_EQ(files::readFileOrEmpty(app.state.themesRoot / "Folder" / "loading_low.png"), bytesOf("s"));
}

TEST(ThemeImport, AFolderCopyTheUserDeclinesIsAFailure) {
    ImportApp app;
    fs::path folder = app.packages() / "Folder";
    fs::create_directories(folder);
    app.ui.refuseCopies = true;

    auto outcomes = app.import.onDrop(textFromPath(folder));

    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].kind, ImportOutcome::Kind::Failed);
    EXPECT_EQ(app.ui.messages, (std::vector<ShownMessage>{{"复制主题包错误：" + app.themeText("Folder"), "复制错误",
                                                            MessageIcon::None}}));
    EXPECT_EQ(app.view.rebuilds, 0);
}

TEST(ThemeImport, ADropThatImportsNothingLeavesTheListAlone) {
    ImportApp app;
    app.writePackage("theme.rar", zipArchive(theme()));
    auto outcomes = app.import.onDrop(textFromPath(app.package("theme.rar")));
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].kind, ImportOutcome::Kind::Ignored);
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_EQ(app.view.rebuilds, 0);
}

} // namespace
} // namespace lumivel::testing
