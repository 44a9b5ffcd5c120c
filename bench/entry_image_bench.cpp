// Reading one image out of a large store and appending one to it, against the work each
// would otherwise be: reading the whole store, and copying the whole store.
//
// Each benchmark also reports how far the process's peak resident memory grew while it
// ran ("peak_MB"), so that memory that grows with the store shows. The run ends with the
// ratios of the pairs.
#include "app/app_state.h"
#include "app/live_index.h"
#include "bench_support.h"
#include "platform/files.h"
#include "platform/stored_view.h"
#include "platform/text.h"
#include "sample_installation/sample_installation.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <string>

namespace lumivel {
namespace {

namespace fs = std::filesystem;
using bench::kMiB;

constexpr std::size_t kReplacementImageBytes = 1 * kMiB; // a large 2x splash

// Nothing measured here shows a message when it works: any message is a failure, and the
// figures after it would mean nothing.
void abortOnMessage(const bench::BenchUi& ui) {
    if (ui.messages.empty())
        return;
    std::cerr << "unexpected message: " << ui.messages.front() << "\n";
    std::abort();
}

// One sample installation per store size, made on first use and removed at exit.
struct BenchInstallation {
    fs::path root;
    sample::SampleInstallation sample;
    bench::BenchUi ui;
    StoredView view;
    std::unique_ptr<AppState> state;
    fs::path image;       // the replacement image
    fs::path storeCopy;   // where the copy benchmark copies to
    std::uint64_t storeSize = 0;

    explicit BenchInstallation(std::uint64_t storeMiB) {
        root = bench::temporaryFolder("lumivel-bench-" + std::to_string(storeMiB));
        sample::SampleOptions options;
        options.fourStores = false;
        options.fillerEntries = 2000;
        options.storeFillerBytes = storeMiB * kMiB;
        options.splashWidth = 1000;
        options.splashHeight = 600;
        sample = sample::createSampleInstallation(root, options);
        state = std::make_unique<AppState>(ui, view, root);
        state->setPhotoshopRoot(textFromPath(root));
        bool loaded = loadLiveIndex(*state).ok();
        abortOnMessage(ui);
        if (!loaded)
            std::abort();
        image = root / "loading_low.png";
        std::ofstream(image, std::ios::binary).write(std::string(kReplacementImageBytes, 'p').data(), kReplacementImageBytes);
        storeCopy = root / "store-copy.dat";
        storeSize = fs::file_size(sample.store(DensityFile::LowRes));
        bench::dropDirtyPages(); // none of the fixture's writing left to be done inside a measurement
    }
    ~BenchInstallation() { fs::remove_all(root); }
    fs::path lowStore() const { return sample.store(DensityFile::LowRes); }
};

BenchInstallation& installation(std::uint64_t storeMiB) {
    static std::map<std::uint64_t, std::unique_ptr<BenchInstallation>> made;
    auto& slot = made[storeMiB];
    if (!slot)
        slot = std::make_unique<BenchInstallation>(storeMiB);
    return *slot;
}

void BM_ReadEntryImage(benchmark::State& state) {
    BenchInstallation& in = installation(static_cast<std::uint64_t>(state.range(0)));
    bench::PeakMemory peak;
    std::size_t bytes = 0;
    for (auto _ : state) {
        Bytes image = readEntryImage(*in.state, kSplashEntry, DensityFile::LowRes);
        abortOnMessage(in.ui);
        bytes = image.size();
        benchmark::DoNotOptimize(image.data());
    }
    if (bytes == 0)
        state.SkipWithError("the splash image read as empty");
    state.counters["image_KB"] = double(bytes) / 1024.0;
    bench::reportPeak(state, peak);
}

void BM_ReadStoreWhole(benchmark::State& state) {
    BenchInstallation& in = installation(static_cast<std::uint64_t>(state.range(0)));
    bench::PeakMemory peak;
    for (auto _ : state) {
        auto store = files::readFile(in.lowStore());
        benchmark::DoNotOptimize(store.value().data());
    }
    bench::reportPeak(state, peak);
}

void BM_ReplaceEntryImage(benchmark::State& state) {
    BenchInstallation& in = installation(static_cast<std::uint64_t>(state.range(0)));
    std::size_t splash = *in.state->index.positionOf(kSplashEntry);
    const std::string imagePath = textFromPath(in.image);
    bench::PeakMemory peak;
    for (auto _ : state) {
        bool replaced = replaceEntryImage(*in.state, imagePath, splash, DensityFile::LowRes);
        abortOnMessage(in.ui);
        if (!replaced)
            state.SkipWithError("the replacement failed");
        // Back to the store's own size, so every round appends to the same store.
        state.PauseTiming();
        fs::resize_file(in.lowStore(), in.storeSize);
        state.ResumeTiming();
    }
    bench::reportPeak(state, peak);
}

void BM_CopyStore(benchmark::State& state) {
    BenchInstallation& in = installation(static_cast<std::uint64_t>(state.range(0)));
    bench::PeakMemory peak;
    for (auto _ : state)
        fs::copy_file(in.lowStore(), in.storeCopy, fs::copy_options::overwrite_existing);
    bench::reportPeak(state, peak);
}

BENCHMARK(BM_ReadEntryImage)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadStoreWhole)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceEntryImage)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyStore)->Arg(100)->Unit(benchmark::kMillisecond);

// The ratios of the pairs and the peaks, each against its bound; false when one misses it.
bool printSummary(const bench::RatioReporter& reporter) {
    const double imageMiB = double(kReplacementImageBytes) / double(kMiB);
    bool ok = reporter.printRatio("readEntryImage / read store whole (100 MB)", "BM_ReadEntryImage/100",
                                  "BM_ReadStoreWhole/100", 1.0 / 50);
    ok &= reporter.printRatio("replaceEntryImage / copy_file store (100 MB)", "BM_ReplaceEntryImage/100",
                              "BM_CopyStore/100", 1.0 / 10);
    ok &= reporter.printPeak("readEntryImage peak growth, 10 MB store", "BM_ReadEntryImage/10", 32);
    ok &= reporter.printPeak("readEntryImage peak growth, 100 MB store", "BM_ReadEntryImage/100", 32);
    ok &= reporter.printPeak("replaceEntryImage peak growth (100 MB store)", "BM_ReplaceEntryImage/100", 32 + imageMiB);
    return ok;
}

} // namespace
} // namespace lumivel

int main(int argc, char** argv) { return lumivel::bench::runBenchmarks(argc, argv, lumivel::printSummary); }
