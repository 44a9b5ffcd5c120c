#include "iconres/icon_resource_index.h"

#include "iconres/iconres_fixture.h"
#include "support/recording_ui.h"

#include <gtest/gtest.h>

#include <optional>

namespace lumivel::testing {
namespace {

constexpr IndexLayout kTwo = IndexLayout::TwoStore;
constexpr IndexLayout kFour = IndexLayout::FourStore;

Bytes headerWithRecordArea(IndexLayout layout, std::size_t recordBytes) {
    Bytes bytes = indexHeader(layout);
    bytes.resize(bytes.size() + recordBytes, 0x41);
    return bytes;
}

// The four-store header with one letter of "PSIconsXHighRes.dat" changed.
Bytes alteredFourStoreHeader() {
    Bytes bytes = indexHeader(kFour);
    bytes[418 + 7] = 'x';
    return bytes;
}

struct LoadCase {
    const char* what;
    Bytes content;
    bool taken;
    IndexLayout layout;   // when taken
    std::size_t entries;  // when taken
    std::optional<ShownMessage> message;
};

TEST(IconResourceIndexLoad, TakesOrRefusesEachKindOfContent) {
    const ShownMessage emptyMessage{"读取到的索引长度为 0 ，很可能是没有权限造成的，请用管理员权限运行 Lumivel", "错误",
                                    MessageIcon::Error};
    const Bytes signature = bytesOf("Photoshop Icon Resource Index 1.0\n");
    Bytes badSignature = signature;
    badSignature[10] = 'X';
    const std::size_t bothMultiples = 208 * 23; // 368 * 13
    const std::vector<LoadCase> cases = {
        {"empty", {}, false, {}, 0, emptyMessage},
        {"shorter than the signature", bytesOf("Photoshop Icon"), false, {}, 0, std::nullopt},
        {"another signature", badSignature, false, {}, 0, std::nullopt},
        {"signature only", signature, true, kTwo, 0, std::nullopt},
        {"two-store header alone", indexHeader(kTwo), true, kTwo, 0, std::nullopt},
        {"four-store header alone", indexHeader(kFour), true, kFour, 0, std::nullopt},
        {"four-store header with one changed byte, read as two-store", alteredFourStoreHeader(), false, {}, 0,
         ShownMessage{"索引长度错误_nc208:256", "信息：", MessageIcon::None}},
        {"changed four-store header plus 160 bytes: two two-store records",
         [] { Bytes b = alteredFourStoreHeader(); b.resize(b.size() + 160, 1); return b; }(), true, kTwo, 2,
         std::nullopt},
        {"1000 record bytes after the two-store header", headerWithRecordArea(kTwo, 1000), false, {}, 0,
         ShownMessage{"索引长度错误_nc208:1000", "信息：", MessageIcon::None}},
        {"1000 record bytes after the four-store header", headerWithRecordArea(kFour, 1000), false, {}, 0,
         ShownMessage{"索引长度错误_nc368", "信息：", MessageIcon::None}},
        {"a multiple of both after the two-store header", headerWithRecordArea(kTwo, bothMultiples), true, kTwo, 23,
         std::nullopt},
        {"a multiple of both after the four-store header", headerWithRecordArea(kFour, bothMultiples), true, kFour,
         13, std::nullopt},
        {"a good four-store file", fixtureFiles(kFour).index, true, kFour, 4, std::nullopt},
        {"a good two-store file", fixtureFiles(kTwo).index, true, kTwo, 4, std::nullopt},
    };

    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        // The index already holds one file; a refused load must keep it.
        IconResourceIndex index;
        RecordingUi setupUi;
        ASSERT_TRUE(index.load(fixtureIndex(kFour, {{"Previous", 1, 2, 3, 4}}), setupUi));

        RecordingUi ui;
        EXPECT_EQ(index.load(c.content, ui).ok(), c.taken);

        EXPECT_EQ(ui.waitCursorShown, 1);
        EXPECT_EQ(ui.waitCursorDepth, 0);
        if (c.message)
            EXPECT_EQ(ui.messages, std::vector<ShownMessage>{*c.message});
        else
            EXPECT_TRUE(ui.messages.empty());
        if (c.taken) {
            EXPECT_EQ(index.layout(), c.layout);
            EXPECT_EQ(index.entries().size(), c.entries);
        } else {
            EXPECT_EQ(index.layout(), kFour);
            ASSERT_EQ(index.entries().size(), 1u);
            EXPECT_EQ(index.positionOf("Previous"), 1u);
            EXPECT_EQ(index.entryAt(1).length(DensityFile::HighRes), 4);
        }
    }
}

TEST(IconResourceIndexSerialize, GivesALoadedFileBackByteForByte) {
    for (IndexLayout layout : {kFour, kTwo}) {
        Bytes file = fixtureFiles(layout).index;
        IconResourceIndex index;
        RecordingUi ui;
        ASSERT_TRUE(index.load(file, ui));
        EXPECT_EQ(index.serialize(), file);
    }
}

TEST(IconResourceIndexSerialize, HeadersAreTheFixedBytesOfTheirLayout) {
    // Written out by hand: the signature line, then each store's name padded with zero
    // bytes to 127 and ended by a line feed in its 128-byte field.
    std::string expected = "Photoshop Icon Resource Index 1.0\n";
    for (std::string name : {"PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat", "PSIconsXHighRes.dat"})
        expected += name + std::string(127 - name.size(), '\0') + "\n";
    EXPECT_EQ(IconResourceIndex().serialize(), bytesOf(expected));
    EXPECT_EQ(indexHeader(kFour), bytesOf(expected));
    EXPECT_EQ(indexHeader(kTwo), bytesOf(expected.substr(0, 290)));
}

TEST(IconResourceIndexPositionOf, FindsTheFirstExactMatchOnly) {
    IconResourceIndex index;
    RecordingUi ui;
    EXPECT_EQ(index.positionOf("Splash1080Background"), std::nullopt);

    ASSERT_TRUE(index.load(fixtureIndex(kTwo, {{"Alpha"},
                                               {"Splash1080Background", 10},
                                               {"Splash1080Background", 20},
                                               {"Splash1080Background "}}),
                           ui));
    const std::vector<std::pair<std::string, std::optional<std::size_t>>> cases = {
        {"Alpha", 1},
        {"Splash1080Background", 2},
        {"splash1080background", std::nullopt},
        {"Splash1080", std::nullopt},
        {"Splash1080Background  ", std::nullopt},
        {"Splash1080Background ", 4},
        {"", std::nullopt},
    };
    for (const auto& [name, position] : cases)
        EXPECT_EQ(index.positionOf(name), position) << "'" << name << "'";
    EXPECT_EQ(index.entryAt(2).offset(DensityFile::LowRes), 10);
}

// The offset and length fields sit at fixed places; every other byte is the record's own.
TEST(IconResourceEntry, ReadsAndWritesOnlyItsFourFields) {
    struct Fields { IndexLayout layout; std::size_t lowOffset, highOffset, lowLength, highLength; };
    for (const Fields& f : {Fields{kTwo, 80, 112, 144, 176}, Fields{kFour, 112, 144, 240, 272}}) {
        Bytes record(recordLengthOf(f.layout), 0xEE);
        writeInt32LE(record, f.lowOffset, 5'000'000);
        writeInt32LE(record, f.highOffset, -2);
        writeInt32LE(record, f.lowLength, 1000);
        writeInt32LE(record, f.highLength, 0x7FFFFFFF);
        IconResourceEntry entry(record, f.layout);
        EXPECT_EQ(entry.offset(DensityFile::LowRes), 5'000'000);
        EXPECT_EQ(entry.offset(DensityFile::HighRes), -2);
        EXPECT_EQ(entry.length(DensityFile::LowRes), 1000);
        EXPECT_EQ(entry.length(DensityFile::HighRes), 0x7FFFFFFF);

        entry.setOffset(DensityFile::HighRes, 0x01020304);
        entry.setLength(DensityFile::LowRes, 7);
        writeInt32LE(record, f.highOffset, 0x01020304);
        writeInt32LE(record, f.lowLength, 7);
        EXPECT_EQ(entry.bytes(), record);
        EXPECT_THROW(entry.offset(DensityFile::XLowRes), std::invalid_argument);
    }
}

// A name area without a zero byte ends at the LowRes offset field: the offset's bytes
// (here non-zero) never become part of the name, and nothing past the record is read.
TEST(IconResourceEntry, NameWithoutZeroByteIsTheWholeNameArea) {
    for (IndexLayout layout : {kTwo, kFour}) {
        std::size_t nameArea = layout == kTwo ? 80 : 112;
        std::string longName(nameArea, 'N');
        Bytes record = fixtureRecord(layout, {longName, 0x11111111, 1, 1, 1}, 3);
        IconResourceEntry entry(record, layout);
        EXPECT_EQ(entry.name(), longName);

        IconResourceIndex index;
        RecordingUi ui;
        Bytes file = indexHeader(layout);
        append(file, record);
        ASSERT_TRUE(index.load(file, ui));
        EXPECT_EQ(index.positionOf(longName), 1u);
    }
}

} // namespace
} // namespace lumivel::testing
