// Applying a look on an installation of realistic size, against the work it cannot avoid:
// copying the five backup files of the icon resources with the system's own copy.
//
// The installation has four stores (PSIconsLowRes.dat and PSIconsXLowRes.dat 25 MiB each,
// the two 2x stores 75 MiB each), about 3000 index entries and a dictionary of about 4 MiB.
// Before the timed runs a first Apply makes the backup and grows the stores, as a user's
// earlier Apply would have. Every run starts with no dirty pages left by the one before, and
// is timed by the wall clock, since most of the work is waiting for the disk.
//
// Figures: time per Apply, "peak_MB" (how far the peak resident memory rose during the
// runs), and at the end the ratios to the copy, each with its bound. Lumivel replaces every
// file through a temporary file and makes it durable before going on; the system's copy
// leaves the writing to the disk for later. The ratios to a copy followed by a sync, which
// pays that writing too, are printed beside them for comparison.
#include "app/app_state.h"
#include "app/live_index.h"
#include "apply/apply_look.h"
#include "bench_support.h"
#include "installation/installation.h"
#include "platform/files.h"
#include "platform/stored_view.h"
#include "platform/text.h"
#include "sample_installation/sample_installation.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace lumivel {
namespace {

namespace fs = std::filesystem;

using bench::kMiB;
constexpr std::uint64_t kDictionaryMiB = 4;
constexpr std::size_t kEntries = 3000;
constexpr const char* kTheme = "全套";

void writeOrDie(const fs::path& file, ByteView bytes) {
    fs::create_directories(file.parent_path());
    if (!files::writeFileAtomic(file, bytes)) {
        std::cerr << "cannot write " << file << "\n";
        std::exit(2);
    }
}

// A dictionary of about Photoshop's size: the sample's lines followed by entries of ordinary text.
Bytes largeDictionary(std::uint64_t mebibytes) {
    Bytes bytes = sample::dictionaryBytes();
    for (int line = 0; bytes.size() < mebibytes * kMiB; ++line) {
        std::string entry = "\"$$$/Bench/Line" + std::to_string(line) + "=这是一行用来占据字典大小的普通文字，第 " +
                            std::to_string(line) + " 行\"\r\n";
        for (char16_t unit : utf8ToUtf16(entry)) {
            bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
    }
    return bytes;
}

using bench::dropDirtyPages;

struct BenchInstallation {
    fs::path root;
    sample::SampleInstallation sample;
    bench::BenchUi ui; // an Apply that shows anything but its completion has failed
    StoredView view;
    std::unique_ptr<AppState> state;
    fs::path copyTarget;
    std::vector<fs::path> backupFiles;

    BenchInstallation() {
        root = bench::temporaryFolder("lumivel-apply-bench");
        sample::SampleOptions options;
        options.fourStores = true;
        options.fillerEntries = kEntries - 3;
        options.storeFillerBytes = 25 * kMiB;
        options.splashWidth = 832;
        options.splashHeight = 500;
        sample = sample::createSampleInstallation(root / "Photoshop", options);
        writeOrDie(sample.dictionaryFile, largeDictionary(kDictionaryMiB));

        // A theme of six images of the sizes a real one has, and its own startup text.
        fs::path theme = root / "LumivelTheme" / pathFromText(kTheme);
        writeOrDie(theme / "info.ini", bytesOf("[Lumivel_theme]\r\nloadtext=no\r\n"));
        const std::map<std::string, std::size_t> images = {
            {"loading_low.png", 400 * 1024}, {"loading_high.png", 1300 * 1024}, {"ico_dark_low.png", 2 * 1024},
            {"ico_dark_high.png", 6 * 1024}, {"ico_light_low.png", 2 * 1024},   {"ico_light_high.png", 6 * 1024},
        };
        for (const auto& [name, size] : images)
            writeOrDie(theme / name, Bytes(size, static_cast<std::uint8_t>(name.size())));
        writeOrDie(theme / "word.txt", sample::dictionaryBytes());

        state = std::make_unique<AppState>(ui, view, root);
        state->themesRoot = root / "LumivelTheme";
        state->setPhotoshopRoot(textFromPath(sample.root) + std::string(1, fs::path::preferred_separator));
        (void)loadLiveIndex(*state);
        apply(kTheme, true); // makes the backup and grows the stores
        if (!ui.messages.empty()) {
            std::cerr << "the first Apply failed: " << ui.messages.front() << "\n";
            std::exit(2);
        }

        fs::path backup = sample.resourcesFolder / pathFromText(kBackupFolderName);
        backupFiles.push_back(backup / pathFromText(kIndexFileName));
        for (DensityFile store : sample.stores())
            backupFiles.push_back(backup / pathFromText(storeFileName(store)));
        copyTarget = root / "copies";
        fs::create_directories(copyTarget);
        dropDirtyPages();
    }
    ~BenchInstallation() { fs::remove_all(root); }

    // Gives Photoshop's dictionary, and its backup copy, another size.
    void setDictionarySize(std::uint64_t mebibytes) {
        Bytes dictionary = largeDictionary(mebibytes);
        writeOrDie(sample.dictionaryFile, dictionary);
        writeOrDie(sample.dictionaryFile.parent_path() / pathFromText(kBackupFolderName) /
                       sample.dictionaryFile.filename(),
                   dictionary);
        dropDirtyPages();
    }

    // Presses the theme page's Apply with the entry and switch given; true when it showed
    // nothing but its completion.
    bool apply(const std::string& entry, bool textHidden) {
        ui.messages.clear();
        state->textHidden = textHidden;
        (void)applyLook(*state, requestForEntry(state->themesRoot, entry, textHidden));
        bool ok = ui.messages.size() == 1 && ui.messages.front() == "修改完成";
        ui.messages.clear();
        return ok;
    }
};

BenchInstallation& installation() {
    static BenchInstallation made;
    return made;
}

void runApply(benchmark::State& state, const std::string& entry, std::uint64_t dictionaryMiB) {
    BenchInstallation& in = installation();
    in.setDictionarySize(dictionaryMiB);
    bench::PeakMemory peak;
    for (auto _ : state) {
        if (!in.apply(entry, true))
            state.SkipWithError("the Apply showed a failure");
        state.PauseTiming();
        dropDirtyPages();
        state.ResumeTiming();
    }
    bench::reportPeak(state, peak);
}

void BM_ApplyThemeSixImages(benchmark::State& state) { runApply(state, kTheme, kDictionaryMiB); }
void BM_ApplyCurrentHiddenText(benchmark::State& state) {
    runApply(state, std::string(kCurrentLookEntry), static_cast<std::uint64_t>(state.range(0)));
}

void copyBackupFiles(benchmark::State& state, bool thenSync) {
    BenchInstallation& in = installation();
    bench::PeakMemory peak;
    for (auto _ : state) {
        for (const fs::path& file : in.backupFiles)
            fs::copy_file(file, in.copyTarget / file.filename(), fs::copy_options::overwrite_existing);
        if (thenSync)
            dropDirtyPages();
        state.PauseTiming();
        dropDirtyPages();
        state.ResumeTiming();
    }
    bench::reportPeak(state, peak);
}

void BM_SystemCopyOfBackupFiles(benchmark::State& state) { copyBackupFiles(state, false); }
void BM_SystemCopyOfBackupFilesThenSync(benchmark::State& state) { copyBackupFiles(state, true); }

BENCHMARK(BM_SystemCopyOfBackupFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_SystemCopyOfBackupFilesThenSync)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_ApplyThemeSixImages)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
// The dictionary's size in MiB: about that of Photoshop's, and smaller.
BENCHMARK(BM_ApplyCurrentHiddenText)->Arg(kDictionaryMiB)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

// The ratios of the pairs and the peaks, each against its bound; false when one misses it.
bool printSummary(const bench::RatioReporter& reporter) {
    const std::string copy = "BM_SystemCopyOfBackupFiles/iterations:10/real_time";
    const std::string durableCopy = "BM_SystemCopyOfBackupFilesThenSync/iterations:10/real_time";
    const std::string theme = "BM_ApplyThemeSixImages/iterations:10/real_time";
    const std::string current = "BM_ApplyCurrentHiddenText/" + std::to_string(kDictionaryMiB) +
                                "/iterations:30/real_time";
    const std::string smallCurrent = "BM_ApplyCurrentHiddenText/1/iterations:30/real_time";
    bool ok = reporter.printRatio("Apply, theme of six images / system copy", theme, copy, 1.25,
                                  bench::Bound::AtMost);
    ok &= reporter.printRatio("Apply, [当前] with hidden text / system copy", current, copy, 1.0 / 20);
    ok &= reporter.printPeak("Apply, theme of six images: peak memory growth", theme, 64);
    std::printf("\nFor comparison (no bound):\n");
    (void)reporter.printRatio("Apply, theme of six images / copy and sync", theme, durableCopy, 1.25,
                              bench::Bound::AtMost);
    (void)reporter.printRatio("Apply, [当前] with hidden text / copy and sync", current, durableCopy, 1.0 / 20);
    (void)reporter.printRatio("Apply, [当前], 1 MiB dictionary / system copy", smallCurrent, copy, 1.0 / 20);
    return ok;
}

} // namespace
} // namespace lumivel

int main(int argc, char** argv) { return lumivel::bench::runBenchmarks(argc, argv, lumivel::printSummary); }
