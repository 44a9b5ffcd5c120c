// Builds synthetic Photoshop installations for tests, benchmarks and the README's main job.
//
// A sample holds everything Lumivel reads or changes: Photoshop.exe with a version
// resource, Resources\IconResources.idx in either layout with its image stores (real PNG
// images), and the Simplified Chinese dictionary. Everything is derived from the options,
// so two samples built with the same options are byte-identical.
#pragma once

#include "iconres/icon_resource_index.h"
#include "platform/bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumivel::sample {

struct SampleOptions {
    bool fourStores = true;                  ///< FourStore or TwoStore index layout
    std::string productVersion = "16.1.2";  ///< written into Photoshop.exe's version resource; empty: none
    std::size_t fillerEntries = 20;          ///< index entries besides the three Lumivel changes
    /// Bytes of filler (not addressed by any entry) in each 1x store, LowRes and XLowRes;
    /// the 2x stores get three times as much. Tens of MB for benchmarks.
    std::uint64_t storeFillerBytes = 4096;
    int splashWidth = 200;   ///< 1x splash image; the 2x one is twice as wide and high
    int splashHeight = 120;
    int iconSize = 32;       ///< 1x application-bar icons; the 2x ones are twice the size
};

/// One of the three entries Lumivel changes, as the sample wrote it.
struct SampleEntry {
    std::string name;
    std::size_t position = 0;                     ///< 1-based position in the index
    std::array<std::int32_t, 4> offsets{};        ///< per DensityFile (X stores: FourStore only)
    std::array<Bytes, 4> images;                  ///< the PNG bytes per DensityFile
    const Bytes& image(DensityFile store) const { return images[static_cast<std::size_t>(store)]; }
    std::int32_t offset(DensityFile store) const { return offsets[static_cast<std::size_t>(store)]; }
};

/// Where a sample's files are and what its three changeable entries hold.
struct SampleInstallation {
    std::filesystem::path root;
    std::filesystem::path executable;       ///< root/Photoshop.exe
    std::filesystem::path resourcesFolder;  ///< root/Resources
    std::filesystem::path indexFile;        ///< root/Resources/IconResources.idx
    std::filesystem::path dictionaryFile;   ///< root/Locales/zh_CN/Support Files/tw10428.dat
    IndexLayout layout = IndexLayout::FourStore;
    std::size_t entryCount = 0;
    std::vector<SampleEntry> entries;       ///< Splash1080Background, dark icon, light icon

    /// The store file of a density (XLowRes/XHighRes exist in the FourStore layout only).
    std::filesystem::path store(DensityFile density) const;
    /// The stores the layout has: two or four.
    std::vector<DensityFile> stores() const;
    /// One of the three entries by name; throws std::out_of_range for any other name.
    const SampleEntry& entry(std::string_view name) const;
};

/// Writes a whole installation under `root` (created when missing; files already there
/// are overwritten): Photoshop.exe, Resources\ with the index and its stores, and the
/// Simplified Chinese dictionary. Throws std::runtime_error when a file cannot be written
/// and std::invalid_argument for a version text longer than 32 characters.
SampleInstallation createSampleInstallation(const std::filesystem::path& root, const SampleOptions& options = {});

/// An RGBA PNG image of the given size whose colours and stripes follow from `seed`,
/// so images of different seeds differ.
Bytes pngImage(int width, int height, std::uint32_t seed);

/// One entry of the sample dictionary: a "$$$/" key and its Chinese value.
struct DictionaryLine {
    std::string_view key;
    std::string_view value;
};

/// The sample dictionary's entries in file order: menu texts, the credits (with fifteen
/// rotating names) and every splash status line. The file holds each as "key=value" in
/// double quotes ended by CR LF, in UTF-16LE after a byte-order mark.
const std::vector<DictionaryLine>& dictionaryLines();

/// The bytes of the sample dictionary file.
Bytes dictionaryBytes();

} // namespace lumivel::sample
