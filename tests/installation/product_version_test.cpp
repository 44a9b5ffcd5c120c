// Reading ProductVersion out of real PE files, and the verdict on version texts.
#include "installation/product_version.h"

#include "installation/version_fixtures.h"
#include "platform/files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace lumivel {
namespace {

using testing::kVersionFixtures;
using testing::versionFixture;

TEST(ProductVersion, IsTheValueOfTheFirstListedTranslation) {
    for (const auto& fixture : kVersionFixtures) {
        SCOPED_TRACE(fixture.name);
        EXPECT_EQ(productVersionOfFile(versionFixture(fixture.name)), fixture.productVersion);
    }
}

// The 64-byte DOS header of an executable whose PE header would lie at `peOffset`.
Bytes mzPointingAt(std::int32_t peOffset) {
    Bytes header(64, 0);
    header[0] = 'M';
    header[1] = 'Z';
    writeInt32LE(header, 0x3C, peOffset);
    return header;
}

TEST(ProductVersion, IsEmptyForFilesThatAreNoExecutable) {
    testing::TempFolder temp;
    struct Case {
        const char* what;
        Bytes content;
    };
    const Case cases[] = {
        {"empty file", {}},
        {"text", bytesOf("ProductVersion 16.1.2\r\n")},
        {"MZ header only", bytesOf("MZ")},
        {"MZ with a PE offset far past the end", mzPointingAt(0x7FFFFFF0)},
        {"MZ with a PE offset at the last byte", mzPointingAt(63)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto path = temp.path() / "Photoshop.exe";
        ASSERT_TRUE(files::writeFileAtomic(path, c.content).ok());
        EXPECT_EQ(productVersionOfFile(path), "");
    }
    EXPECT_EQ(productVersionOfFile(temp.path() / "missing.exe"), "");
}

// The byte ranges whose damage changes the reader's path through a file: the headers
// with the section table, and the resource section (found by its name in that table).
std::vector<std::pair<std::size_t, std::size_t>> interestingRanges(const Bytes& exe) {
    const std::string_view name(".rsrc\0\0\0", 8);
    auto at = std::search(exe.begin(), exe.begin() + 1024, name.begin(), name.end()) - exe.begin();
    EXPECT_LT(at, 1024) << "no .rsrc section";
    auto rawSize = std::size_t(readInt32LE(exe, at + 16)), rawOffset = std::size_t(readInt32LE(exe, at + 20));
    return {{0, 1024}, {rawOffset, std::min(rawOffset + rawSize, exe.size())}};
}

// A damaged Photoshop.exe must never make the reader look outside the file's bytes: each
// variant lives in a buffer of exactly its own size, so the sanitizers see any overrun.
TEST(ProductVersion, DamagedExecutablesAreReadWithinTheirBytes) {
    const Bytes original = files::readFile(versionFixture("16.1.2")).value();
    Bytes damaged = original;
    for (auto [from, to] : interestingRanges(original)) {
        for (std::size_t at = from; at < to; ++at) {
            Bytes truncated(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(at));
            std::string version = productVersionOf(truncated);
            EXPECT_TRUE(version.empty() || version == "16.1.2") << "cut to " << at << " bytes: " << version;

            for (std::uint8_t value : {std::uint8_t(0xFF), std::uint8_t(original[at] ^ 0x80)}) {
                damaged[at] = value;
                (void)productVersionOf(damaged);
            }
            damaged[at] = original[at];
        }
    }
}

TEST(VersionVerdict, ReadsTheLeadingNumberAndLetsSixteenAndLaterThrough) {
    struct Case {
        const char* text;
        float number;
        bool suitable;
    };
    const Case cases[] = {
        {"16.1.2", 16.1f, true},   // read up to the second dot
        {"16", 16.0f, true},
        {"16.0", 16.0f, true},
        {"15.9", 15.9f, false},
        {"15.0.0.1", 15.0f, false},
        {"17.0", 17.0f, true},
        {" 16.5", 16.5f, true},    // leading blanks are skipped
        {"", 0.0f, false},
        {"abc", 0.0f, false},
        {"16abc", 16.0f, true},    // reading stops at the first letter
        {"15.99999999", 16.0f, true}, // narrowed to single precision, it is 16
        {"1.6e1", 16.0f, true},    // an exponent belongs to the number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        float number = versionNumberOf(c.text);
        EXPECT_FLOAT_EQ(number, c.number);
        EXPECT_EQ(isSuitableVersion(number), c.suitable);
    }
}

} // namespace
} // namespace lumivel
