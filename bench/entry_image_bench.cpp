// Reading one image out of a large store and appending one to it, against the work each
// would otherwise be: reading the whole store, and copying the whole store.
//
// Each benchmark also reports how far the process's peak resident memory grew while it
// ran ("peak_MB"), so that memory that grows with the store shows. The run ends with the
// ratios of the pairs.
#include "app/app_state.h"
#include "iconres/entry_image.h"
#include "platform/files.h"
#include "platform/text.h"
#include "sample_installation/sample_installation.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <string>

#ifdef __linux__
#include <malloc.h>
#include <unistd.h>
#endif

namespace lumivel {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::size_t kReplacementImageBytes = 1 * kMiB; // a large 2x splash

// Nothing is shown: the benchmarks run without a screen. A message would mean a failure.
class QuietUi : public Ui {
public:
    void showMessage(std::string_view text, std::string_view, MessageIcon) override {
        std::cerr << "unexpected message: " << text << "\n";
        std::abort();
    }
    std::string chooseFile(std::string_view, std::string_view, std::string_view) override { return "失败"; }
    void beginWaitCursor() override {}
    void endWaitCursor() override {}
};

class QuietView : public View {
public:
    void setPathText(std::string_view) override {}
    void setDescription(std::string_view) override {}
    void setDarkIcon(ByteView) override {}
    void setLightIcon(ByteView) override {}
    void setTextHiddenSwitch(bool) override {}
    void showSplash(ByteView) override {}
    void showTextLayer(bool) override {}
    void refreshPreview() override {}
    std::string selectedThemeEntry() const override { return {}; }
    std::string customImageText(std::size_t) const override { return {}; }
};

// Peak resident memory of this process: reset to the present use, read later.
#ifdef __linux__
std::uint64_t statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stoull(line.substr(std::string(field).size()));
    return 0;
}

class PeakMemory {
public:
    PeakMemory() {
        std::ofstream reset("/proc/self/clear_refs");
        reset << "5"; // VmHWM := VmRSS
        reset.flush();
        if (!reset)
            std::cerr << "peak memory cannot be reset: peak_MB includes earlier peaks\n";
        m_start = statusKiB("VmRSS:");
    }
    double growthMiB() const {
        std::uint64_t peak = statusKiB("VmHWM:");
        return peak > m_start ? double(peak - m_start) / 1024.0 : 0.0;
    }

private:
    std::uint64_t m_start = 0;
};
#else
class PeakMemory {
public:
    double growthMiB() const { return 0; }
};
#endif

// One sample installation per store size, made on first use and removed at exit.
struct BenchInstallation {
    fs::path root;
    sample::SampleInstallation sample;
    QuietUi ui;
    QuietView view;
    std::unique_ptr<AppState> state;
    fs::path image;       // the replacement image
    fs::path storeCopy;   // where the copy benchmark copies to
    std::uint64_t storeSize = 0;

    explicit BenchInstallation(std::uint64_t storeMiB) {
        root = fs::temp_directory_path() / ("lumivel-bench-" + std::to_string(::getpid()) + "-" + std::to_string(storeMiB));
        sample::SampleOptions options;
        options.fourStores = false;
        options.fillerEntries = 2000;
        options.storeFillerBytes = storeMiB * kMiB;
        options.splashWidth = 1000;
        options.splashHeight = 600;
        sample = sample::createSampleInstallation(root, options);
        state = std::make_unique<AppState>(ui, view, root);
        state->setPhotoshopRoot(textFromPath(root));
        if (!loadLiveIndex(*state))
            std::abort();
        image = root / "loading_low.png";
        std::ofstream(image, std::ios::binary).write(std::string(kReplacementImageBytes, 'p').data(), kReplacementImageBytes);
        storeCopy = root / "store-copy.dat";
        storeSize = fs::file_size(sample.store(DensityFile::LowRes));
#ifdef __linux__
        ::sync(); // no dirty pages of the fixture left to be flushed inside a measurement
#endif
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

void reportPeak(benchmark::State& state, const PeakMemory& peak) {
    state.counters["peak_MB"] = benchmark::Counter(peak.growthMiB());
}

void BM_ReadEntryImage(benchmark::State& state) {
    BenchInstallation& in = installation(static_cast<std::uint64_t>(state.range(0)));
    PeakMemory peak;
    std::size_t bytes = 0;
    for (auto _ : state) {
        Bytes image = readEntryImage(*in.state, kSplashEntry, DensityFile::LowRes);
        bytes = image.size();
        benchmark::DoNotOptimize(image.data());
    }
    if (bytes == 0)
        state.SkipWithError("the splash image read as empty");
    state.counters["image_KB"] = double(bytes) / 1024.0;
    reportPeak(state, peak);
}

void BM_ReadStoreWhole(benchmark::State& state) {
    BenchInstallation& in = installation(static_cast<std::uint64_t>(state.range(0)));
    PeakMemory peak;
    for (auto _ : state) {
        auto store = files::readFile(in.lowStore());
        benchmark::DoNotOptimize(store.value().data());
    }
    reportPeak(state, peak);
}

void BM_ReplaceEntryImage(benchmark::State& state) {
    BenchInstallation& in = installation(static_cast<std::uint64_t>(state.range(0)));
    std::size_t splash = *in.state->index.positionOf(kSplashEntry);
    const std::string imagePath = textFromPath(in.image);
    PeakMemory peak;
    for (auto _ : state) {
        if (!replaceEntryImage(*in.state, imagePath, splash, DensityFile::LowRes))
            state.SkipWithError("the replacement failed");
        // Back to the store's own size, so every round appends to the same store.
        state.PauseTiming();
        fs::resize_file(in.lowStore(), in.storeSize);
        state.ResumeTiming();
    }
    reportPeak(state, peak);
}

void BM_CopyStore(benchmark::State& state) {
    BenchInstallation& in = installation(static_cast<std::uint64_t>(state.range(0)));
    PeakMemory peak;
    for (auto _ : state)
        fs::copy_file(in.lowStore(), in.storeCopy, fs::copy_options::overwrite_existing);
    reportPeak(state, peak);
}

BENCHMARK(BM_ReadEntryImage)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadStoreWhole)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceEntryImage)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyStore)->Arg(100)->Unit(benchmark::kMillisecond);

// Collects the time per iteration and the peak memory of every run to print the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0)
                continue;
            Figures& f = m_figures[run.benchmark_name()];
            f.seconds = run.real_accumulated_time / double(run.iterations);
            auto peak = run.counters.find("peak_MB");
            f.peakMiB = peak == run.counters.end() ? 0 : double(peak->second);
        }
    }

    // Prints one ratio and whether it meets its bound; false when it does not.
    bool printRatio(const std::string& what, const std::string& op, const std::string& base, double bound) const {
        auto a = m_figures.find(op), b = m_figures.find(base);
        if (a == m_figures.end() || b == m_figures.end())
            return true; // filtered out
        double ratio = a->second.seconds / b->second.seconds;
        std::printf("%-46s %.5f (1/%.0f)  bound < %.4f  %s\n", what.c_str(), ratio, 1 / ratio, bound,
                    ratio < bound ? "ok" : "EXCEEDED");
        return ratio < bound;
    }
    bool printPeak(const std::string& what, const std::string& op, double boundMiB) const {
        auto a = m_figures.find(op);
        if (a == m_figures.end())
            return true;
        std::printf("%-46s %.1f MiB  bound < %.1f MiB  %s\n", what.c_str(), a->second.peakMiB, boundMiB,
                    a->second.peakMiB < boundMiB ? "ok" : "EXCEEDED");
        return a->second.peakMiB < boundMiB;
    }

private:
    struct Figures {
        double seconds = 0, peakMiB = 0;
    };
    std::map<std::string, Figures> m_figures;
};

} // namespace
} // namespace lumivel

int main(int argc, char** argv) {
#ifdef __linux__
    // Large buffers get their own mappings and go back to the system when freed, so memory
    // freed by one benchmark does not hide the growth of the next one.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    lumivel::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double imageMiB = double(lumivel::kReplacementImageBytes) / double(lumivel::kMiB);
    std::printf("\n");
    bool ok = reporter.printRatio("readEntryImage / read store whole (100 MB)", "BM_ReadEntryImage/100",
                                  "BM_ReadStoreWhole/100", 1.0 / 50);
    ok &= reporter.printRatio("replaceEntryImage / copy_file store (100 MB)", "BM_ReplaceEntryImage/100",
                              "BM_CopyStore/100", 1.0 / 10);
    ok &= reporter.printPeak("readEntryImage peak growth, 10 MB store", "BM_ReadEntryImage/10", 32);
    ok &= reporter.printPeak("readEntryImage peak growth, 100 MB store", "BM_ReadEntryImage/100", 32);
    ok &= reporter.printPeak("replaceEntryImage peak growth (100 MB store)", "BM_ReplaceEntryImage/100", 32 + imageMiB);
    return ok ? 0 : 1;
}
