// What the benchmarks share: a silent Ui that keeps its messages, the peak resident memory
// over a stretch of a run, and a reporter that ends a run with the ratios of its pairs and
// whether each meets its bound.
#pragma once

#include "platform/text.h"
#include "platform/ui.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lumivel::bench {

inline constexpr std::uint64_t kMiB = 1024 * 1024;

/// Shows nothing, since benchmarks run without a screen, and keeps every message it is shown
/// so that a benchmark can tell a failure. The file chooser answers that nothing was chosen.
class BenchUi : public Ui {
public:
    void showMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    std::string chooseFile(std::string_view filter, std::string_view initialFolder, std::string_view title) override;
    void beginWaitCursor() override {}
    void endWaitCursor() override {}
    std::optional<std::size_t> chooseMenuItem(std::string_view, std::span<const std::string_view>) override {
        return std::nullopt;
    }
    void exploreFolder(const std::filesystem::path&) override {}
    void openAddress(std::string_view) override {}
    Result<void> copyFolder(const std::filesystem::path& folder, const std::filesystem::path&) override {
        return Error{"无法复制文件夹：" + textFromPath(folder)};
    }

    std::vector<std::string> messages;
};

/// The growth of this process's peak resident memory from its making on. On Linux the peak
/// is reset at the start (/proc/self/clear_refs), so earlier peaks do not count; elsewhere
/// the growth reads as 0.
class PeakMemory {
public:
    PeakMemory();
    /// MiB the peak rose above the resident memory at the start.
    double growthMiB() const;

private:
    std::uint64_t m_startKiB = 0;
};

/// Puts the peak's growth so far in the run's "peak_MB" counter, where RatioReporter finds it.
void reportPeak(benchmark::State& state, const PeakMemory& peak);

/// A folder of this process's own in the temporary folder, named `name` and the process id,
/// so that benchmarks run at the same time do not share their files.
std::filesystem::path temporaryFolder(const std::string& name);

/// Waits until every written page is on the disk, so that no run pays for the writing of
/// the one before it.
void dropDirtyPages();

/// How a ratio is held to its bound.
enum class Bound { Below, AtMost };

/// The console output, and then per run the time per iteration and the peak growth, for the
/// ratios printed after the runs.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;

    /// Prints the ratio of the times per iteration of `op` and `base` (also as 1/N when it is
    /// below 1) and whether it meets its bound; false when it does not. A run left out by a
    /// filter counts as met.
    bool printRatio(std::string_view what, const std::string& op, const std::string& base, double bound,
                    Bound kind = Bound::Below) const;
    /// Prints how far the peak memory of `op` grew and whether that stays below `boundMiB`;
    /// false when it does not. A run left out by a filter counts as met.
    bool printPeak(std::string_view what, const std::string& op, double boundMiB) const;

private:
    struct Figures {
        double seconds = 0, peakMiB = 0;
    };
    std::map<std::string, Figures> m_figures;
};

/// Runs the benchmarks the command line selects, then `printSummary` with their figures, and
/// gives the process's exit status: 2 when the command line holds arguments that are not the
/// library's, 1 when `printSummary` tells of a figure that misses its bound, else 0. Large
/// buffers get mappings of their own and go back to the system when freed, so that memory
/// freed by one run does not hide the growth of the next one.
int runBenchmarks(int argc, char** argv, bool (*printSummary)(const RatioReporter& reporter));

} // namespace lumivel::bench
