// The sample installation builder, checked against the program's own readers: what the
// tests and benchmarks build their expectations on must be what Lumivel finds on disk.
#include "sample_installation/sample_installation.h"

#include "iconres/icon_resource_index.h"
#include "installation/product_version.h"
#include "platform/files.h"
#include "platform/text.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <utility>

namespace lumivel {
namespace {

std::pair<int, int> pngSize(ByteView png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size()))
        return {0, 0};
    std::pair<int, int> size{int(image.width), int(image.height)};
    png_image_free(&image);
    return size;
}

TEST(SampleInstallation, IndexAndStoresHoldWhatTheSampleReports) {
    for (bool fourStores : {true, false}) {
        SCOPED_TRACE(fourStores ? "four stores" : "two stores");
        testing::TempFolder temp;
        sample::SampleOptions options;
        options.fourStores = fourStores;
        options.fillerEntries = 7;
        options.storeFillerBytes = 10000;
        auto sample = sample::createSampleInstallation(temp.path() / "Photoshop", options);

        testing::RecordingUi ui;
        IconResourceIndex index;
        ASSERT_TRUE(index.load(files::readFile(sample.indexFile).value(), ui));
        EXPECT_EQ(index.layout(), fourStores ? IndexLayout::FourStore : IndexLayout::TwoStore);
        EXPECT_EQ(index.entries().size(), 10u);
        EXPECT_EQ(index.serialize(), files::readFile(sample.indexFile).value());

        // Every entry points at a whole PNG image inside both stores the program reads.
        for (DensityFile density : {DensityFile::LowRes, DensityFile::HighRes}) {
            Bytes store = files::readFile(sample.store(density)).value();
            EXPECT_GT(store.size(), options.storeFillerBytes);
            for (const IconResourceEntry& entry : index.entries()) {
                SCOPED_TRACE(entry.name());
                auto offset = std::size_t(entry.offset(density)), length = std::size_t(entry.length(density));
                ASSERT_LE(offset + length, store.size());
                EXPECT_NE(pngSize(ByteView(store).subspan(offset, length)).first, 0);
            }
        }
        // The three entries Lumivel changes: where the sample says, with distinct images of
        // the requested sizes (2x twice as large), far into the store past the filler bytes.
        struct Expected {
            std::string_view name;
            int width, height;
        };
        for (Expected e : {Expected{kSplashEntry, 200, 120}, Expected{kDarkIconEntry, 32, 32}, Expected{kLightIconEntry, 32, 32}}) {
            SCOPED_TRACE(e.name);
            const sample::SampleEntry& reported = sample.entry(e.name);
            ASSERT_EQ(index.positionOf(e.name), reported.position);
            const IconResourceEntry& entry = index.entryAt(reported.position);
            for (DensityFile density : sample.stores()) {
                int scale = density == DensityFile::HighRes || density == DensityFile::XHighRes ? 2 : 1;
                const Bytes& image = reported.image(density);
                EXPECT_EQ(pngSize(image), std::make_pair(e.width * scale, e.height * scale));
                EXPECT_GT(reported.offset(density), std::int32_t(options.storeFillerBytes));
                EXPECT_EQ(files::readFileRange(sample.store(density), std::uint64_t(reported.offset(density)), image.size()).value(),
                          image);
            }
            for (DensityFile density : {DensityFile::LowRes, DensityFile::HighRes}) {
                EXPECT_EQ(entry.offset(density), reported.offset(density));
                EXPECT_EQ(entry.length(density), std::int32_t(reported.image(density).size()));
            }
        }
        EXPECT_NE(sample.entry(kDarkIconEntry).image(DensityFile::LowRes), sample.entry(kLightIconEntry).image(DensityFile::LowRes));
        EXPECT_EQ(files::exists(sample.resourcesFolder / "PSIconsXLowRes.dat"), fourStores);
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST(SampleInstallation, PhotoshopExeCarriesTheRequestedVersion) {
    for (const char* version : {"16.1.2", "15.0.0", "17.0", "16.0.0.20150612", "12345678901234567890123456789012", ""}) {
        SCOPED_TRACE(version);
        testing::TempFolder temp;
        sample::SampleOptions options;
        options.productVersion = version;
        auto sample = sample::createSampleInstallation(temp.path(), options);
        EXPECT_EQ(productVersionOfFile(sample.executable), version);
    }
    sample::SampleOptions tooLong;
    tooLong.productVersion = std::string(33, '1');
    testing::TempFolder temp;
    EXPECT_THROW(sample::createSampleInstallation(temp.path(), tooLong), std::invalid_argument);
}

TEST(SampleInstallation, DictionaryIsUtf16WithTheSplashAndCreditsKeys) {
    testing::TempFolder temp;
    auto sample = sample::createSampleInstallation(temp.path());
    Bytes dictionary = files::readFile(sample.dictionaryFile).value();
    ASSERT_GE(dictionary.size(), 2u);
    EXPECT_EQ(dictionary[0], 0xFF);
    EXPECT_EQ(dictionary[1], 0xFE);
    std::u16string text(dictionary.size() / 2 - 1, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = char16_t(dictionary[2 + 2 * i] | dictionary[3 + 2 * i] << 8);
    for (std::string_view line : {"\"$$$/Splash/ScanningForPlugIns=正在扫描增效工具...\"\r\n",
                                  "\"$$$/private/Credits/Legal/CopyrightTwoLine=",
                                  "\"$$$/private/Credits/RotatingNames/AdaQuill=",
                                  "\"$$$/FontServer/Splash/SortingDone="})
        EXPECT_NE(text.find(utf8ToUtf16(line)), std::u16string::npos) << line;
    EXPECT_EQ(text.substr(text.size() - 2), u"\r\n");
}

} // namespace
} // namespace lumivel
