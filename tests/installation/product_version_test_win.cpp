// The product-version reader against Windows' own reading of the same files.
#include "installation/product_version.h"

#include "installation/version_fixtures.h"
#include "platform/text.h"
#include "sample_installation/sample_installation.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <vector>

namespace lumivel {
namespace {

// ProductVersion as Windows gives it: the first translation listed in
// \VarFileInfo\Translation, 040904E4 when none is, then that table's value.
std::string systemProductVersion(const std::filesystem::path& exe) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    if (size == 0)
        return {};
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(exe.c_str(), 0, size, data.data()))
        return {};
    wchar_t translation[9] = L"040904E4";
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length) && length >= 4) {
        const WORD* words = static_cast<const WORD*>(value);
        std::swprintf(translation, 9, L"%04X%04X", words[0], words[1]);
    }
    std::wstring query = std::wstring(L"\\StringFileInfo\\") + translation + L"\\ProductVersion";
    if (!VerQueryValueW(data.data(), query.c_str(), &value, &length) || length == 0)
        return {};
    return utf16ToUtf8(reinterpret_cast<const char16_t*>(value));
}

TEST(ProductVersionOnWindows, AgreesWithTheSystemOnEveryFixture) {
    for (const auto& fixture : testing::kVersionFixtures) {
        SCOPED_TRACE(fixture.name);
        auto exe = testing::versionFixture(fixture.name);
        ASSERT_TRUE(std::filesystem::exists(exe)) << textFromPath(exe);
        EXPECT_EQ(systemProductVersion(exe), fixture.productVersion);
        EXPECT_EQ(productVersionOfFile(exe), fixture.productVersion);
    }
}

// The sample installations' Photoshop.exe is the placeholder fixture with its text
// overwritten and padded with zeros; Windows must read the same text as Lumivel.
TEST(ProductVersionOnWindows, AgreesWithTheSystemOnSampleInstallations) {
    for (const char* version : {"16.1.2", "15.0.0", "16.0.0.20150612", "12345678901234567890123456789012", ""}) {
        SCOPED_TRACE(version);
        testing::TempFolder temp;
        sample::SampleOptions options;
        options.productVersion = version;
        options.fillerEntries = 0;
        auto sample = sample::createSampleInstallation(temp.path() / "Photoshop CC 2015", options);
        EXPECT_EQ(systemProductVersion(sample.executable), version);
        EXPECT_EQ(productVersionOfFile(sample.executable), version);
    }
}

} // namespace
} // namespace lumivel
