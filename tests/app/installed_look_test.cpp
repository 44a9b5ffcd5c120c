#include "app/installed_look.h"

#include "app/live_index.h"
#include "iconres/iconres_fixture.h"
#include "installation/backup_store.h"
#include "platform/text.h"

#include <gtest/gtest.h>

namespace lumivel::testing {
namespace {

constexpr std::string_view kCurrentText = "当前 Photoshop 的启动画面";
constexpr std::string_view kDefaultText = "Photoshop 的默认启动画面（备份的画面）";

// What one preview put on the screen.
struct Shown {
    Bytes splash, dark, light;
    std::string description;
    bool switchSelected, textLayerHidden, textHidden;
    int refreshes;
    bool operator==(const Shown&) const = default;
};

Shown preview(FixtureApp& app, LookSource source) {
    app.view = RecordingView();
    (void)previewInstalledLook(app.state, source);
    return {app.view.splash, app.view.darkIcon, app.view.lightIcon, app.view.description,
            app.view.textHiddenSwitch, app.view.textLayerHidden, app.state.textHidden, app.view.refreshes};
}

Shown photoshopsOwn(std::string_view description) {
    return {bytesOf("splash-1x-image"), bytesOf("dark-1x"), bytesOf("light-1x"), std::string(description),
            false, false, false, 1};
}

void backUp(FixtureApp& app) {
    ASSERT_TRUE(BackupStore(Installation(app.state.photoshopRoot), app.ui).ensure(true));
}

TEST(PreviewInstalledLook, FreshInstallationShowsPhotoshopsOwnLookForBothSources) {
    FixtureApp app;
    backUp(app);
    EXPECT_EQ(preview(app, LookSource::Current), photoshopsOwn(kCurrentText));
    EXPECT_EQ(preview(app, LookSource::Default), photoshopsOwn(kDefaultText));
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_EQ(app.ui.waitCursorDepth, 0);
}

// The backup's offsets still find Photoshop's own images in the grown live stores.
TEST(PreviewInstalledLook, DefaultShowsPhotoshopsOwnImagesAfterAReplacement) {
    FixtureApp app;
    backUp(app);
    ASSERT_TRUE(loadLiveIndex(app.state));
    auto splash = app.folder.path() / "loading_low.png";
    writeBytes(splash, bytesOf("theme-splash"));
    ASSERT_TRUE(replaceEntryImage(app.state, textFromPath(splash), kSplashEntry, DensityFile::LowRes));

    EXPECT_EQ(preview(app, LookSource::Current).splash, bytesOf("theme-splash"));
    EXPECT_EQ(preview(app, LookSource::Default), photoshopsOwn(kDefaultText));
}

// The current look with a changed startup text sets the switch; the default look then
// clears it and shows the default text layer again.
TEST(PreviewInstalledLook, OnlyTheCurrentLookTakesTheTextSwitchFromTheDictionary) {
    FixtureApp app;
    backUp(app);
    Bytes dictionary = app.files.dictionary;
    for (char16_t c : std::u16string(u"\r\n//Lumivel v1.0---\r\n")) {
        dictionary.push_back(static_cast<std::uint8_t>(c));
        dictionary.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    writeBytes(app.folder.path() / "Locales" / "zh_CN" / "Support Files" / "tw10428.dat", dictionary);

    Shown current = preview(app, LookSource::Current);
    EXPECT_TRUE(current.switchSelected && current.textLayerHidden && current.textHidden);
    EXPECT_EQ(preview(app, LookSource::Default), photoshopsOwn(kDefaultText));
}

TEST(PreviewInstalledLook, MissingOrCutImagesLeaveOnlyTheirBoxesBlank) {
    // No light icon entry at all.
    auto images = standardImages();
    images.pop_back();
    FixtureApp noLight(IndexLayout::TwoStore, images);
    Shown shown = preview(noLight, LookSource::Current);
    EXPECT_EQ(shown.splash, bytesOf("splash-1x-image"));
    EXPECT_EQ(shown.dark, bytesOf("dark-1x"));
    EXPECT_TRUE(shown.light.empty());

    // The light icon, last in the store, runs past a shortened store's end.
    FixtureApp cut;
    std::filesystem::resize_file(cut.store(DensityFile::LowRes), cut.files.lowStore.size() - 4);
    shown = preview(cut, LookSource::Current);
    EXPECT_EQ(shown.light, bytesOf("ligh"));
    EXPECT_EQ(shown.dark, bytesOf("dark-1x"));
}

// Without a backup the default look's load is refused with its message; the images come
// from the index as it was, and the description and the switch are set all the same.
TEST(PreviewInstalledLook, DefaultWithoutBackupReportsTheEmptyIndexAndGoesOn) {
    FixtureApp app;
    preview(app, LookSource::Current);
    app.state.textHidden = true;

    EXPECT_EQ(preview(app, LookSource::Default), photoshopsOwn(kDefaultText));
    EXPECT_EQ(app.ui.messages,
              (std::vector<ShownMessage>{{"读取到的索引长度为 0 ，很可能是没有权限造成的，请用管理员权限运行 Lumivel",
                                          "错误", MessageIcon::Error}}));
}

} // namespace
} // namespace lumivel::testing
