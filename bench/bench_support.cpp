#include "bench_support.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>

#ifdef __linux__
#include <malloc.h>
#include <unistd.h>
#endif

namespace lumivel::bench {

namespace {

constexpr const char* kPeakCounter = "peak_MB";

#ifdef __linux__
// A "VmRSS:"-style field of /proc/self/status, in KiB; 0 when it cannot be read.
std::uint64_t statusKiB(std::string_view field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stoull(line.substr(field.size()));
    return 0;
}
#endif

} // namespace

void BenchUi::showMessage(std::string_view text, std::string_view, MessageIcon) { messages.emplace_back(text); }

std::string BenchUi::chooseFile(std::string_view, std::string_view, std::string_view) {
    return std::string(kNothingChosen);
}

PeakMemory::PeakMemory() {
#ifdef __linux__
    std::ofstream reset("/proc/self/clear_refs");
    reset << "5"; // VmHWM := VmRSS
    reset.flush();
    if (!reset)
        std::cerr << "peak memory cannot be reset: " << kPeakCounter << " includes earlier peaks\n";
    m_startKiB = statusKiB("VmRSS:");
#endif
}

double PeakMemory::growthMiB() const {
#ifdef __linux__
    std::uint64_t peak = statusKiB("VmHWM:");
    return peak > m_startKiB ? double(peak - m_startKiB) / 1024.0 : 0.0;
#else
    return 0;
#endif
}

void reportPeak(benchmark::State& state, const PeakMemory& peak) {
    state.counters[kPeakCounter] = benchmark::Counter(peak.growthMiB());
}

std::filesystem::path temporaryFolder(const std::string& name) {
#ifdef __linux__
    const std::string process = std::to_string(::getpid());
#else
    const std::string process = "0";
#endif
    return std::filesystem::temp_directory_path() / (name + "-" + process);
}

void dropDirtyPages() {
#ifdef __linux__
    ::sync();
#endif
}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.iterations == 0)
            continue;
        Figures& f = m_figures[run.benchmark_name()];
        f.seconds = run.real_accumulated_time / double(run.iterations);
        auto peak = run.counters.find(kPeakCounter);
        f.peakMiB = peak == run.counters.end() ? 0 : double(peak->second);
    }
}

bool RatioReporter::printRatio(std::string_view what, const std::string& op, const std::string& base, double bound,
                               Bound kind) const {
    auto a = m_figures.find(op), b = m_figures.find(base);
    if (a == m_figures.end() || b == m_figures.end())
        return true;
    double ratio = a->second.seconds / b->second.seconds;
    bool met = kind == Bound::Below ? ratio < bound : ratio <= bound;
    std::string inverse = ratio > 0 && ratio < 1 ? " (1/" + std::to_string(std::lround(1 / ratio)) + ")" : "";
    std::printf("%-52.*s %.5f%-10s bound %s %.4f  %s\n", int(what.size()), what.data(), ratio, inverse.c_str(),
                kind == Bound::Below ? "<" : "<=", bound, met ? "ok" : "EXCEEDED");
    return met;
}

bool RatioReporter::printPeak(std::string_view what, const std::string& op, double boundMiB) const {
    auto a = m_figures.find(op);
    if (a == m_figures.end())
        return true;
    bool met = a->second.peakMiB < boundMiB;
    std::printf("%-52.*s %.1f MiB  bound < %.1f MiB  %s\n", int(what.size()), what.data(), a->second.peakMiB, boundMiB,
                met ? "ok" : "EXCEEDED");
    return met;
}

int runBenchmarks(int argc, char** argv, bool (*printSummary)(const RatioReporter& reporter)) {
#ifdef __linux__
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\n");
    return printSummary(reporter) ? 0 : 1;
}

} // namespace lumivel::bench
