// Builds synthetic Photoshop installations for tests, benchmarks and the README's main job.
#pragma once

#include "platform/bytes.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace lumivel::sample {

struct SampleOptions {
    bool fourStores = true;                  ///< FourStore or TwoStore index layout
    std::string productVersion = "16.1.2";  ///< written into Photoshop.exe's version resource; empty: none
    std::size_t fillerEntries = 20;          ///< index entries besides the three Lumivel changes
    std::uint64_t storeFillerBytes = 4096;   ///< bytes of filler images per store (tens of MB for benchmarks)
};

/// Writes a whole installation under `root` (created when missing): Photoshop.exe,
/// Resources\ with the index and its stores, and the Simplified Chinese dictionary.
void createSampleInstallation(const std::filesystem::path& root, const SampleOptions& options = {});

} // namespace lumivel::sample
