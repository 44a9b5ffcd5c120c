// lumivel-sample: writes a synthetic Photoshop CC 2015 installation to try Lumivel on.
//
//   lumivel-sample ROOT [--two-stores] [--version TEXT|--no-version] [--entries N] [--store-mb N]
#include "sample_installation/sample_installation.h"

#include "platform/text.h"

#include <charconv>
#include <cstdio>
#include <cwchar>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace lumivel;

constexpr std::string_view kUsage =
    "usage: lumivel-sample ROOT [--two-stores] [--version TEXT|--no-version] [--entries N] [--store-mb N]\n"
    "  ROOT          folder to write the installation into (created when missing)\n"
    "  --two-stores  write the two-store index layout (default: four stores)\n"
    "  --version     ProductVersion of Photoshop.exe (default 16.1.2); --no-version: none\n"
    "  --entries N   number of index entries, the three Lumivel changes included (default 23)\n"
    "  --store-mb N  MiB of filler in each 1x store; the 2x stores get three times as much\n";

std::optional<std::uint64_t> numberOf(std::string_view text) {
    std::uint64_t n = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return n;
}

int usageError(const std::string& what) {
    std::fprintf(stderr, "lumivel-sample: %s\n%.*s", what.c_str(), int(kUsage.size()), kUsage.data());
    return 2;
}

int run(const std::vector<std::string>& args) {
    std::optional<std::string> root;
    sample::SampleOptions options;
    bool versionGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto valueOf = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            std::fputs(std::string(kUsage).c_str(), stdout);
            return 0;
        } else if (arg == "--two-stores") {
            options.fourStores = false;
        } else if (arg == "--version" || arg == "--no-version") {
            if (versionGiven)
                return usageError("give the version once");
            versionGiven = true;
            if (arg == "--no-version") {
                options.productVersion.clear();
            } else {
                auto value = valueOf();
                if (!value || value->empty())
                    return usageError("--version needs a text (use --no-version for none)");
                options.productVersion = *value;
            }
        } else if (arg == "--entries" || arg == "--store-mb") {
            auto value = valueOf();
            auto n = value ? numberOf(*value) : std::nullopt;
            if (!n)
                return usageError(arg + " needs a whole number");
            if (arg == "--entries") {
                if (*n < 3)
                    return usageError("--entries must be at least 3");
                options.fillerEntries = static_cast<std::size_t>(*n - 3);
            } else {
                if (*n > 600)
                    return usageError("--store-mb above 600 would make stores the index cannot address");
                options.storeFillerBytes = *n << 20;
            }
        } else if (!arg.empty() && arg[0] == '-') {
            return usageError("unknown option " + arg);
        } else if (root) {
            return usageError("give one ROOT folder");
        } else {
            root = arg;
        }
    }
    if (!root)
        return usageError("no ROOT folder given");

    auto sample = sample::createSampleInstallation(pathFromText(*root), options);
    std::printf("Photoshop installation written to %s\n", textFromPath(sample.root).c_str());
    std::printf("  Photoshop.exe  ProductVersion %s\n",
                options.productVersion.empty() ? "(none)" : options.productVersion.c_str());
    std::printf("  %s  %s layout, %zu entries\n", textFromPath(sample.indexFile).c_str(),
                options.fourStores ? "four-store" : "two-store", sample.entryCount);
    for (DensityFile store : sample.stores()) {
        std::error_code ignored;
        auto size = std::filesystem::file_size(sample.store(store), ignored);
        if (size >= (1u << 20))
            std::printf("  %s  %.1f MiB\n", textFromPath(sample.store(store)).c_str(), double(size) / (1 << 20));
        else
            std::printf("  %s  %llu bytes\n", textFromPath(sample.store(store)).c_str(), static_cast<unsigned long long>(size));
    }
    std::printf("  %s\n", textFromPath(sample.dictionaryFile).c_str());
    return 0;
}

} // namespace

namespace {

int runReporting(const std::vector<std::string>& args) {
    try {
        return run(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lumivel-sample: %s\n", e.what());
        return 1;
    }
}

} // namespace

#ifdef _WIN32
// Arguments arrive as UTF-16 so that a folder of any name works.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(utf16ToUtf8(std::u16string(argv[i], argv[i] + std::wcslen(argv[i]))));
    return runReporting(args);
}
#else
int main(int argc, char** argv) { return runReporting(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
