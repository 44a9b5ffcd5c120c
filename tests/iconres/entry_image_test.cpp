#include "app/live_index.h"

#include "iconres/iconres_fixture.h"
#include "platform/files.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace lumivel::testing {
namespace {

constexpr DensityFile kLow = DensityFile::LowRes;
constexpr DensityFile kHigh = DensityFile::HighRes;

struct LoadedApp : FixtureApp {
    explicit LoadedApp(IndexLayout layout = IndexLayout::FourStore,
                       const std::vector<FixtureImage>& images = standardImages())
        : FixtureApp(layout, images) {
        EXPECT_TRUE(loadLiveIndex(state));
    }
    std::filesystem::path writeImage(std::string_view name, const Bytes& bytes) const {
        auto path = folder.path() / std::string(name);
        writeBytes(path, bytes);
        return path;
    }
    std::string text(const std::filesystem::path& path) const { return textFromPath(path); }
};

Bytes patternBytes(std::size_t size, std::uint8_t seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + i * 13);
    return bytes;
}

// Positions of the bytes in which two records differ.
std::vector<std::size_t> changedBytes(const Bytes& before, const Bytes& after) {
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] != after[i])
            changed.push_back(i);
    return changed;
}

TEST(ReadEntryImage, ReadsTheEntrysBytesFromTheLiveStores) {
    LoadedApp app;
    EXPECT_EQ(readEntryImage(app.state, kSplashEntry, kLow), bytesOf("splash-1x-image"));
    EXPECT_EQ(readEntryImage(app.state, kSplashEntry, kHigh), bytesOf("splash-2x-image-bigger"));
    EXPECT_EQ(readEntryImage(app.state, kLightIconEntry, kLow), bytesOf("light-1x"));
    EXPECT_TRUE(readEntryImage(app.state, "NoSuchEntry", kLow).empty());

    // The last image runs past a shortened store: the bytes up to the end, then none.
    std::filesystem::resize_file(app.store(kLow), app.files.lowStore.size() - 3);
    EXPECT_EQ(readEntryImage(app.state, kLightIconEntry, kLow), bytesOf("light"));
    std::filesystem::resize_file(app.store(kLow), 4);
    EXPECT_TRUE(readEntryImage(app.state, kLightIconEntry, kLow).empty());

    std::filesystem::remove(app.store(kHigh));
    EXPECT_TRUE(readEntryImage(app.state, kSplashEntry, kHigh).empty());
}

// Replacing the 1x splash with a 1,000-byte image in a 5,000,000-byte store, in both layouts.
TEST(ReplaceEntryImage, AppendsTheImageAndPointsOnlyThatFieldPairAtIt) {
    struct Case { IndexLayout layout; std::size_t lowOffsetField, lowLengthField; };
    for (const Case& c : {Case{IndexLayout::FourStore, 112, 240}, Case{IndexLayout::TwoStore, 80, 144}}) {
        SCOPED_TRACE(c.layout == IndexLayout::FourStore ? "four stores" : "two stores");
        LoadedApp app(c.layout);
        Bytes store = app.files.lowStore;
        store.resize(5'000'000, 0x5A);
        writeBytes(app.store(kLow), store);
        Bytes image = patternBytes(1000, 7);
        auto imagePath = app.writeImage("splash.png", image);
        const Bytes indexBefore = readBytes(app.indexFile());
        const std::size_t splash = *app.state.index.positionOf(kSplashEntry);

        EXPECT_TRUE(replaceEntryImage(app.state, app.text(imagePath), kSplashEntry, kLow));

        EXPECT_TRUE(app.ui.messages.empty());
        Bytes storeAfter = readBytes(app.store(kLow));
        ASSERT_EQ(storeAfter.size(), 5'001'000u);
        EXPECT_TRUE(std::equal(store.begin(), store.end(), storeAfter.begin()));
        EXPECT_TRUE(std::equal(image.begin(), image.end(), storeAfter.begin() + 5'000'000));
        EXPECT_EQ(readBytes(app.store(kHigh)), app.files.highStore);

        const IconResourceEntry& entry = app.state.index.entryAt(splash);
        EXPECT_EQ(entry.offset(kLow), 5'000'000);
        EXPECT_EQ(entry.length(kLow), 1000);

        // Same length and header; only the splash record's LowRes offset and length changed.
        Bytes indexAfter = readBytes(app.indexFile());
        ASSERT_EQ(indexAfter.size(), indexBefore.size());
        std::size_t headerLength = headerLengthOf(c.layout), recordLength = recordLengthOf(c.layout);
        std::size_t recordStart = headerLength + (splash - 1) * recordLength;
        for (std::size_t at : changedBytes(indexBefore, indexAfter)) {
            ASSERT_GE(at, recordStart);
            std::size_t inRecord = at - recordStart;
            EXPECT_TRUE((inRecord >= c.lowOffsetField && inRecord < c.lowOffsetField + 4) ||
                        (inRecord >= c.lowLengthField && inRecord < c.lowLengthField + 4))
                << "byte " << inRecord << " of the splash record changed";
        }
        EXPECT_EQ(Bytes(indexAfter.begin(), indexAfter.begin() + headerLength), indexHeader(c.layout));
        expectLiveIndexInsideStores(app);
    }
}

// Twice without a restore, the second image smaller: the store only grows, the entry
// points at the second image, and the first stays in the store unreferenced.
TEST(ReplaceEntryImage, EveryImageGoesToTheEndEvenASmallerOne) {
    LoadedApp app;
    Bytes first = patternBytes(300, 1), second = patternBytes(20, 2);
    auto firstPath = app.writeImage("first.png", first), secondPath = app.writeImage("second.png", second);
    ASSERT_TRUE(replaceEntryImage(app.state, app.text(firstPath), kDarkIconEntry, kHigh));
    ASSERT_TRUE(replaceEntryImage(app.state, app.text(secondPath), kDarkIconEntry, kHigh));

    Bytes expected = app.files.highStore;
    append(expected, first);
    append(expected, second);
    EXPECT_EQ(readBytes(app.store(kHigh)), expected);
    EXPECT_EQ(readEntryImage(app.state, kDarkIconEntry, kHigh), second);
    EXPECT_EQ(readEntryImage(app.state, kDarkIconEntry, kLow), bytesOf("dark-1x"));
    expectLiveIndexInsideStores(app);
}

TEST(ReplaceEntryImage, MissingOrEmptyImageAppendsNothing) {
    for (bool fileExists : {false, true}) {
        LoadedApp app;
        auto imagePath = app.folder.path() / "none.png";
        if (fileExists)
            writeBytes(imagePath, {});
        EXPECT_TRUE(replaceEntryImage(app.state, app.text(imagePath), kSplashEntry, kLow));
        EXPECT_EQ(readBytes(app.store(kLow)), app.files.lowStore);
        const IconResourceEntry& entry = app.state.index.entryAt(*app.state.index.positionOf(kSplashEntry));
        EXPECT_EQ(entry.offset(kLow), static_cast<std::int32_t>(app.files.lowStore.size()));
        EXPECT_EQ(entry.length(kLow), 0);
        expectLiveIndexInsideStores(app);
    }
}

TEST(ReplaceEntryImage, MissingStoreIsCreatedWithTheImageAlone) {
    LoadedApp app;
    std::filesystem::remove(app.store(kHigh));
    auto imagePath = app.writeImage("splash@2x.png", bytesOf("new-2x"));
    EXPECT_TRUE(replaceEntryImage(app.state, app.text(imagePath), kSplashEntry, kHigh));
    EXPECT_EQ(readBytes(app.store(kHigh)), bytesOf("new-2x"));
    EXPECT_EQ(app.state.index.entryAt(*app.state.index.positionOf(kSplashEntry)).offset(kHigh), 0);
    EXPECT_EQ(readBytes(app.indexFile()), app.state.index.serialize());
}

TEST(ReplaceEntryImage, EntryTheIndexDoesNotHoldTouchesNothing) {
    LoadedApp app;
    auto imagePath = app.writeImage("splash.png", bytesOf("png"));
    const Bytes indexBefore = app.state.index.serialize();
    files::failOperationForTesting(0);

    EXPECT_FALSE(replaceEntryImage(app.state, app.text(imagePath), "Splash1080background", kLow));
    EXPECT_FALSE(replaceEntryImage(app.state, app.text(imagePath), std::size_t{99}, kLow));

    EXPECT_EQ(files::operationCountForTesting(), 0);
    EXPECT_EQ(app.ui.messages, (std::vector<ShownMessage>{
                                   {"索引中没有这个条目：Splash1080background", "错误", MessageIcon::Error},
                                   {"索引中没有这个条目：第 99 项", "错误", MessageIcon::Error},
                               }));
    EXPECT_EQ(app.state.index.serialize(), indexBefore);
    EXPECT_EQ(readBytes(app.indexFile()), app.files.index);
    EXPECT_EQ(readBytes(app.store(kLow)), app.files.lowStore);
}

// Each file operation of a replacement fails in turn, as a locked or unreadable file
// would make it: the image read, the store's length, the append,
// the index write. Whatever fails, the live index points inside the live stores, the
// program's index agrees with the file, and the user is told which file failed.
TEST(ReplaceEntryImage, AFailedStepLeavesTheInstallationConsistent) {
    struct Case {
        int failingOperation;
        bool written;
        const char* messagePrefix; // followed by the failing file's path
        bool storeGrows;
    };
    const std::vector<Case> cases = {
        {1, false, "无法读取文件：", false},         // the image cannot be read: nothing changes (it used to go in as empty)
        {2, false, "无法读取文件：", false},         // the store cannot be looked at: never overwritten
        {3, false, "无法写入文件：", false},         // the append fails: cut back, no index write
        {4, false, "无法写入文件：", true},          // the index write fails: the old entry stays
        {5, true, nullptr, true},                   // nothing fails
    };
    const Bytes image = patternBytes(500, 9);
    for (const Case& c : cases) {
        SCOPED_TRACE("failing operation " + std::to_string(c.failingOperation));
        LoadedApp app;
        auto imagePath = app.writeImage("splash.png", image);
        const Bytes indexBefore = readBytes(app.indexFile());

        files::failOperationForTesting(c.failingOperation);
        bool written = replaceEntryImage(app.state, app.text(imagePath), kSplashEntry, kLow);
        files::failOperationForTesting(0);

        EXPECT_EQ(written, c.written);
        if (c.messagePrefix) {
            auto failedFile = c.failingOperation == 1   ? imagePath
                              : c.failingOperation == 4 ? app.indexFile()
                                                        : app.store(kLow);
            EXPECT_EQ(app.ui.messages, (std::vector<ShownMessage>{
                                           {c.messagePrefix + app.text(failedFile), "错误", MessageIcon::Error}}));
        } else {
            EXPECT_TRUE(app.ui.messages.empty());
        }
        Bytes expectedStore = app.files.lowStore;
        if (c.storeGrows)
            append(expectedStore, image);
        EXPECT_EQ(readBytes(app.store(kLow)), expectedStore);
        if (!c.written)
            EXPECT_EQ(readBytes(app.indexFile()), indexBefore);
        expectLiveIndexInsideStores(app);
    }
}

// Offsets are 32-bit signed fields: a store that would pass 2 GiB is refused, not wrapped.
TEST(ReplaceEntryImage, StoreThatWouldPassTwoGibIsRefused) {
    LoadedApp app;
    const auto nearLimit = static_cast<std::uintmax_t>(std::numeric_limits<std::int32_t>::max()) - 100;
    std::error_code ec;
    std::filesystem::resize_file(app.store(kLow), nearLimit, ec); // sparse: takes no room
    if (ec)
        GTEST_SKIP() << "no sparse file of 2 GiB here";
    auto imagePath = app.writeImage("big.png", patternBytes(101, 3));
    const Bytes indexBefore = app.state.index.serialize();

    EXPECT_FALSE(replaceEntryImage(app.state, app.text(imagePath), kSplashEntry, kLow));

    EXPECT_EQ(app.ui.messages, (std::vector<ShownMessage>{{"图片库将超过 2 GB，无法再追加图片：" + app.text(app.store(kLow)),
                                                            "错误", MessageIcon::Error}}));
    EXPECT_EQ(std::filesystem::file_size(app.store(kLow)), nearLimit);
    EXPECT_EQ(app.state.index.serialize(), indexBefore);
    EXPECT_EQ(readBytes(app.indexFile()), indexBefore);

    // One byte less still fits: the last offset is 2^31 - 101.
    auto fitting = app.writeImage("fits.png", patternBytes(100, 3));
    EXPECT_TRUE(replaceEntryImage(app.state, app.text(fitting), kSplashEntry, kLow));
    EXPECT_EQ(app.state.index.entryAt(*app.state.index.positionOf(kSplashEntry)).offset(kLow),
              static_cast<std::int32_t>(nearLimit));
}

} // namespace
} // namespace lumivel::testing
