// Theme package extraction on arbitrary archive bytes: every outcome is one of the import's
// result codes, nothing is ever written outside the themes folder it was given, a failed
// package leaves no trace, and an extracted theme holds only plain files and folders.
#include "fuzz_support.h"
#include "themes/theme_package.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <system_error>

using namespace lumivel;
namespace fs = std::filesystem;

namespace {

// Every entry below `folder`, without following links.
std::vector<fs::path> entriesBelow(const fs::path& folder) {
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(it->path());
    return entries;
}

bool isInside(const fs::path& path, const fs::path& folder) {
    auto relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path root = fuzz::scratchFolder() / "program";
    const fs::path themesRoot = root / "LumivelTheme";
    const fs::path target = themesRoot / "Fuzzed";
    const fs::path package = fuzz::scratchFolder() / "Fuzzed.zip";
    std::error_code ignored;
    fs::remove_all(root, ignored);
    fs::create_directories(themesRoot);
    {
        std::ofstream(root / "beside-the-themes.txt") << "untouched";
        std::ofstream out(package, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    Result<void> extraction = extractThemePackage(package, target);
    int code = extractionCode(extraction);
    LUMIVEL_FUZZ_CHECK(code == 1 || code == 0);

    for (const fs::path& entry : entriesBelow(root)) {
        if (entry == root / "beside-the-themes.txt" || entry == themesRoot)
            continue;
        // Only the theme itself, or the empty staging area the import works in.
        bool inTheme = entry == target || isInside(entry, target);
        bool staging = entry.parent_path() == themesRoot && entry.filename().string().starts_with(".");
        LUMIVEL_FUZZ_CHECK(inTheme || (staging && fs::is_empty(entry, ignored)));
        LUMIVEL_FUZZ_CHECK(!fs::is_symlink(fs::symlink_status(entry, ignored)));
        LUMIVEL_FUZZ_CHECK(code == 1 || !inTheme);
    }
    if (code == 1) {
        LUMIVEL_FUZZ_CHECK(fs::is_regular_file(target / "info.ini"));
        LUMIVEL_FUZZ_CHECK(fs::is_regular_file(target / "loading_low.png"));
    }
    std::ifstream beside(root / "beside-the-themes.txt");
    std::string kept;
    beside >> kept;
    LUMIVEL_FUZZ_CHECK(kept == "untouched");
    return 0;
}
