#include "apply/apply_fixture.h"

#include "app/live_index.h"
#include "apply/apply_look.h"
#include "iconres/icon_resource_index.h"
#include "installation/installation.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"

#include <gtest/gtest.h>

namespace lumivel::testing {

namespace fs = std::filesystem;

namespace {

void writeOrFail(const fs::path& file, ByteView bytes) {
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(files::writeFileAtomic(file, bytes).ok()) << file;
}

// Seeds tell the themes apart; the slot's place in the table tells its images apart.
std::uint32_t themeSeed(const std::string& name) {
    std::uint32_t seed = 7;
    for (unsigned char c : name)
        seed = seed * 31 + c;
    return seed;
}

} // namespace

Bytes slotImage(const ImageSlotInfo& slot, std::uint32_t seed) {
    int size = slot.density == DensityFile::LowRes ? 8 : 16;
    int width = slot.entryName == kSplashEntry ? size * 3 : size;
    return sample::pngImage(width, size, seed * 8 + static_cast<std::uint32_t>(slot.slot));
}

sample::SampleOptions ApplyFixture::smallSample() {
    sample::SampleOptions options;
    options.fillerEntries = 6;
    options.storeFillerBytes = 512;
    options.splashWidth = 24;
    options.splashHeight = 12;
    options.iconSize = 8;
    return options;
}

ApplyFixture::ApplyFixture(const sample::SampleOptions& options)
    : sample(sample::createSampleInstallation(temp.path() / "Photoshop", options)),
      state(ui, view, temp.path() / "program") {
    original = live();
    // As the main window leaves it after start-up: located, with the live index loaded.
    state.setPhotoshopRoot(withTrailingBackslash(textFromPath(sample.root)));
    (void)loadLiveIndex(state);
}

void ApplyFixture::addTheme(const std::string& name, const std::vector<ImageSlot>& slots, const Bytes& text) {
    writeOrFail(themeFile(name, "info.ini"), bytesOf("[Lumivel_theme]\r\ninfo=" + name + "\r\n"));
    for (ImageSlot slot : slots)
        writeOrFail(themeFile(name, slotInfo(slot).themeFile), themeImage(name, slot));
    if (!text.empty())
        writeOrFail(themeFile(name, "word.txt"), text);
}

Bytes ApplyFixture::themeImage(const std::string& name, ImageSlot slot) const {
    return slotImage(slotInfo(slot), themeSeed(name));
}

fs::path ApplyFixture::themeFile(const std::string& name, std::string_view file) const {
    return state.themesRoot / pathFromText(name) / pathFromText(file);
}

void ApplyFixture::applyEntry(std::string_view entry, bool textHidden) {
    state.textHidden = textHidden;
    (void)applyLook(state, requestForEntry(state.themesRoot, entry, textHidden));
}

void ApplyFixture::applyCustom(const std::vector<std::string>& slotTexts, bool textHidden) {
    SlotImages texts;
    for (std::size_t i = 0; i < slotTexts.size() && i < texts.size(); ++i)
        texts[i] = slotTexts[i];
    state.textHidden = textHidden;
    (void)applyLook(state, requestForImages(texts, textHidden));
}

FileSnapshot ApplyFixture::live() const {
    FileSnapshot files;
    files[std::string(kIndexFileName)] = files::readFileOrEmpty(sample.indexFile);
    for (DensityFile store : sample.stores())
        files[std::string(storeFileName(store))] = files::readFileOrEmpty(sample.store(store));
    files[std::string(kDictionaryFileName)] = files::readFileOrEmpty(sample.dictionaryFile);
    return files;
}

fs::path ApplyFixture::backupFolder(bool dictionary) const {
    return (dictionary ? sample.dictionaryFile.parent_path() : sample.resourcesFolder) / pathFromText(kBackupFolderName);
}

FileSnapshot ApplyFixture::backups() const {
    FileSnapshot copies;
    for (const auto& [name, bytes] : original) {
        fs::path copy = backupFolder(name == kDictionaryFileName) / pathFromText(name);
        if (files::exists(copy))
            copies[name] = files::readFileOrEmpty(copy);
    }
    return copies;
}

namespace {

// Where the four interpreted fields of a record lie, by layout (offsets within the record),
// written out here rather than taken from the program.
struct FieldPlaces {
    std::size_t header, record, lowOffset, highOffset, lowLength, highLength;
};
FieldPlaces fieldPlaces(IndexLayout layout) {
    return layout == IndexLayout::FourStore ? FieldPlaces{546, 368, 112, 144, 240, 272}
                                            : FieldPlaces{290, 208, 80, 112, 144, 176};
}

} // namespace

FileSnapshot afterImages(const ApplyFixture& f, const SlotBytes& images) {
    FileSnapshot files = f.original;
    FieldPlaces places = fieldPlaces(f.sample.layout);
    Bytes& index = files[std::string(kIndexFileName)];
    for (const auto& [slot, png] : images) {
        const ImageSlotInfo& info = slotInfo(slot);
        Bytes& store = files[std::string(storeFileName(info.density))];
        auto offset = static_cast<std::int32_t>(store.size());
        append(store, png);
        std::size_t record = places.header + (f.sample.entry(info.entryName).position - 1) * places.record;
        bool low = info.density == DensityFile::LowRes;
        writeInt32LE(index, record + (low ? places.lowOffset : places.highOffset), offset);
        writeInt32LE(index, record + (low ? places.lowLength : places.highLength), static_cast<std::int32_t>(png.size()));
    }
    return files;
}

SlotBytes themeImages(const ApplyFixture& f, const std::string& theme, const std::vector<ImageSlot>& slots) {
    SlotBytes images;
    for (ImageSlot slot : slots)
        images.emplace_back(slot, f.themeImage(theme, slot));
    return images;
}

void expectIndexInsideStores(const ApplyFixture& fixture) {
    RecordingUi ui;
    IconResourceIndex index;
    ASSERT_TRUE(index.load(files::readFileOrEmpty(fixture.sample.indexFile), ui)) << "the live index no longer loads";
    for (DensityFile store : {DensityFile::LowRes, DensityFile::HighRes}) {
        auto size = static_cast<std::int64_t>(files::readFileOrEmpty(fixture.sample.store(store)).size());
        for (const IconResourceEntry& entry : index.entries()) {
            std::int64_t offset = entry.offset(store), length = entry.length(store);
            if (length == 0)
                continue;
            EXPECT_TRUE(offset >= 0 && length > 0 && offset + length <= size)
                << entry.name() << " points at " << offset << "+" << length << " in " << storeFileName(store)
                << " of " << size << " bytes";
        }
    }
}

void expectNoTemporaryFiles(const ApplyFixture& fixture) {
    for (const fs::path& folder : {fixture.sample.resourcesFolder, fixture.backupFolder(false),
                                   fixture.sample.dictionaryFile.parent_path(), fixture.backupFolder(true)}) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder, ec))
            EXPECT_FALSE(textFromPath(entry.path().filename()).ends_with(".lumivel-tmp")) << entry.path();
    }
}

void expectBackupsPristine(const ApplyFixture& fixture) {
    for (const auto& [name, bytes] : fixture.backups())
        EXPECT_TRUE(bytes == fixture.original.at(name)) << "the backup copy of " << name << " changed";
}

} // namespace lumivel::testing
