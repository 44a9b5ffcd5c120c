#include "iconres/iconres_fixture.h"

#include "platform/text.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lumivel::testing {

namespace {

std::size_t nameAreaOf(IndexLayout layout) { return layout == IndexLayout::TwoStore ? 80 : 112; }

} // namespace

Bytes fixtureRecord(IndexLayout layout, const FixtureEntry& entry, std::uint8_t seed) {
    Bytes record(recordLengthOf(layout));
    for (std::size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<std::uint8_t>(seed + i * 7 + 1) | 1; // never zero
    std::copy(entry.name.begin(), entry.name.end(), record.begin());
    if (entry.name.size() < nameAreaOf(layout))
        record[entry.name.size()] = 0;
    IconResourceEntry written(record, layout);
    written.setOffset(DensityFile::LowRes, entry.lowOffset);
    written.setLength(DensityFile::LowRes, entry.lowLength);
    written.setOffset(DensityFile::HighRes, entry.highOffset);
    written.setLength(DensityFile::HighRes, entry.highLength);
    return written.bytes();
}

Bytes fixtureIndex(IndexLayout layout, const std::vector<FixtureEntry>& entries) {
    Bytes bytes = indexHeader(layout);
    std::uint8_t seed = 0;
    for (const FixtureEntry& entry : entries)
        append(bytes, fixtureRecord(layout, entry, seed += 31));
    return bytes;
}

std::vector<FixtureImage> standardImages() {
    return {
        {"PS_Tool_move", "move-1x", "move-2x"},
        {std::string(kSplashEntry), "splash-1x-image", "splash-2x-image-bigger"},
        {std::string(kDarkIconEntry), "dark-1x", "dark-2x-icon"},
        {std::string(kLightIconEntry), "light-1x", "light-2x-icon"},
    };
}

FixtureFiles fixtureFiles(IndexLayout layout, const std::vector<FixtureImage>& images) {
    FixtureFiles files;
    files.lowStore = bytesOf("<low store head>");
    files.highStore = bytesOf("<high store head>");
    std::vector<FixtureEntry> entries;
    for (const FixtureImage& image : images) {
        FixtureEntry entry{image.entry};
        entry.lowOffset = static_cast<std::int32_t>(files.lowStore.size());
        entry.lowLength = static_cast<std::int32_t>(image.low.size());
        entry.highOffset = static_cast<std::int32_t>(files.highStore.size());
        entry.highLength = static_cast<std::int32_t>(image.high.size());
        append(files.lowStore, bytesOf(image.low));
        append(files.highStore, bytesOf(image.high));
        entries.push_back(entry);
    }
    files.index = fixtureIndex(layout, entries);
    files.xLowStore = bytesOf("<x low store>");
    files.xHighStore = bytesOf("<x high store>");
    files.dictionary = encodeUtf16LEWithBom("\"$$$/Splash/Initializing=正在初始化...\"\r\n");
    return files;
}

Bytes readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return {};
    Bytes bytes(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void writeBytes(const std::filesystem::path& path, ByteView bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void writeInstallation(const std::filesystem::path& root, const FixtureFiles& files) {
    auto resources = root / "Resources";
    writeBytes(resources / "IconResources.idx", files.index);
    writeBytes(resources / std::string(storeFileName(DensityFile::LowRes)), files.lowStore);
    writeBytes(resources / std::string(storeFileName(DensityFile::HighRes)), files.highStore);
    writeBytes(resources / std::string(storeFileName(DensityFile::XLowRes)), files.xLowStore);
    writeBytes(resources / std::string(storeFileName(DensityFile::XHighRes)), files.xHighStore);
    writeBytes(root / "Locales" / "zh_CN" / "Support Files" / "tw10428.dat", files.dictionary);
}

FixtureApp::FixtureApp(IndexLayout layout, const std::vector<FixtureImage>& images)
    : files(fixtureFiles(layout, images)), state(ui, view, folder.path()) {
    writeInstallation(folder.path(), files);
    state.setPhotoshopRoot(folder.text());
}

void expectLiveIndexInsideStores(const FixtureApp& app) {
    Bytes indexFile = readBytes(app.indexFile());
    EXPECT_EQ(indexFile, app.state.index.serialize()) << "the program's index differs from the index file";
    RecordingUi quiet;
    IconResourceIndex live;
    ASSERT_TRUE(live.load(indexFile, quiet));
    for (DensityFile density : {DensityFile::LowRes, DensityFile::HighRes}) {
        std::error_code ec;
        auto size = std::filesystem::file_size(app.store(density), ec);
        for (const IconResourceEntry& entry : live.entries()) {
            if (entry.length(density) == 0)
                continue;
            ASSERT_FALSE(ec) << "a store is gone: " << app.store(density);
            EXPECT_GE(entry.offset(density), 0) << entry.name();
            EXPECT_LE(std::uint64_t(entry.offset(density)) + std::uint64_t(entry.length(density)), size)
                << entry.name() << " points past the end of " << storeFileName(density);
        }
    }
}

} // namespace lumivel::testing
