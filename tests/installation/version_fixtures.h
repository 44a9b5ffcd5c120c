// The fake Photoshop.exe files built with the tests, each with the ProductVersion that
// Windows itself reads from it.
#pragma once

#include "platform/text.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lumivel::testing {

/// The fixture "photoshop-<name>.exe" in the build's fixture folder. The folder is a
/// Linux path; when the suite runs under Wine it is reached through drive Z:, since a
/// path that starts with '/' would otherwise be taken on the current drive.
inline std::filesystem::path versionFixture(std::string_view name) {
    std::string folder = LUMIVEL_FIXTURE_DIR;
#ifdef _WIN32
    if (!folder.empty() && folder.front() == '/')
        folder = "Z:" + folder;
#endif
    return pathFromText(folder) / pathFromText("photoshop-" + std::string(name) + ".exe");
}

struct VersionFixture {
    std::string_view name;
    std::string_view productVersion;
};

/// Every fixture and the ProductVersion of its first listed translation.
inline constexpr VersionFixture kVersionFixtures[] = {
    {"16.1.2", "16.1.2"},
    {"15.0.0", "15.0.0"},
    {"17.0.1", "17.0.1"},
    {"noversion", ""},
    // Lists 0804/936 first (ProductVersion 16.0.0); its English table says 15.0.0.
    {"chinese-first", "16.0.0"},
    // Lists no translation: the 040904E4 table (16.5) is read, not the first table (99.0).
    {"no-translation", "16.5"},
    {"placeholder", "@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@"},
};

} // namespace lumivel::testing
