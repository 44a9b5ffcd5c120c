// What the fuzz targets share: a Ui that shows nothing, and a fresh scratch folder per process.
#pragma once

#include "platform/ui.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <unistd.h>

namespace lumivel::fuzz {

class SilentUi : public Ui {
public:
    void showMessage(std::string_view, std::string_view, MessageIcon) override { ++messages; }
    std::string chooseFile(std::string_view, std::string_view, std::string_view) override {
        return std::string(kNothingChosen);
    }
    void beginWaitCursor() override { ++cursorDepth; }
    void endWaitCursor() override { --cursorDepth; }
    std::optional<std::size_t> chooseMenuItem(std::string_view, std::span<const std::string_view>) override {
        return std::nullopt;
    }
    void exploreFolder(const std::filesystem::path&) override {}
    void openAddress(std::string_view) override {}
    Result<void> copyFolder(const std::filesystem::path&, const std::filesystem::path&) override {
        return Error{"fuzz targets copy no folders"};
    }

    int messages = 0;
    int cursorDepth = 0;
};

/// A folder of this process's own below the system's temporary folder (a memory-backed one
/// when there is one), made on first use.
inline const std::filesystem::path& scratchFolder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        auto path = base / ("lumivel-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

/// Stops the fuzzer with a finding when `condition` is false.
#define LUMIVEL_FUZZ_CHECK(condition)                                                          \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

} // namespace lumivel::fuzz
