// Small hand-made Photoshop installations for the icon resource and backup tests: an
// index in either layout whose records carry recognisable bytes in every field Lumivel
// does not interpret, and stores whose images are short distinct byte runs.
#pragma once

#include "app/app_state.h"
#include "iconres/icon_resource_index.h"
#include "platform/bytes.h"
#include "support/recording_ui.h"
#include "support/temp_folder.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lumivel::testing {

/// One record as a fixture writes it.
struct FixtureEntry {
    std::string name;
    std::int32_t lowOffset = 0, lowLength = 0, highOffset = 0, highLength = 0;
};

/// A record of the layout: the name and a zero byte, the four fields, and every other
/// byte filled from `seed` so that each record's uninterpreted bytes differ.
Bytes fixtureRecord(IndexLayout layout, const FixtureEntry& entry, std::uint8_t seed);

/// The layout's header followed by the records.
Bytes fixtureIndex(IndexLayout layout, const std::vector<FixtureEntry>& entries);

/// One image per density for an entry; the store holds the text's bytes.
struct FixtureImage {
    std::string entry;
    std::string low, high;
};

/// An unrelated entry, then the splash and the two icons.
std::vector<FixtureImage> standardImages();

/// The files of an installation, as written.
struct FixtureFiles {
    Bytes index, lowStore, highStore, xLowStore, xHighStore, dictionary;
};

/// The stores are a short run of other bytes followed by the images in order; the index
/// points every entry at its images. The X stores exist in both layouts.
FixtureFiles fixtureFiles(IndexLayout layout, const std::vector<FixtureImage>& images = standardImages());

/// Writes Resources\ (index and stores) and the dictionary under `root`.
void writeInstallation(const std::filesystem::path& root, const FixtureFiles& files);

Bytes readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, ByteView bytes);

/// A located installation in a temp folder with the program state that works on it.
struct FixtureApp {
    explicit FixtureApp(IndexLayout layout = IndexLayout::FourStore,
                        const std::vector<FixtureImage>& images = standardImages());

    std::filesystem::path resources() const { return folder.path() / "Resources"; }
    std::filesystem::path resourceFile(std::string_view name) const { return resources() / std::string(name); }
    std::filesystem::path store(DensityFile density) const { return resourceFile(storeFileName(density)); }
    std::filesystem::path indexFile() const { return resourceFile("IconResources.idx"); }

    TempFolder folder;
    FixtureFiles files;
    RecordingUi ui;
    RecordingView view;
    AppState state;
};

/// Every entry of the live index file points inside the live stores, and the program's
/// index agrees with the file.
void expectLiveIndexInsideStores(const FixtureApp& app);

} // namespace lumivel::testing
