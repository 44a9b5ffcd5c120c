// The growth of this process's peak resident memory over a stretch of a benchmark. On Linux
// the peak is reset at the start (/proc/self/clear_refs), so earlier peaks do not count.
#pragma once

#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>

namespace lumivel::bench {

#ifdef __linux__
inline std::uint64_t statusKiB(const char* field) {
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
            std::cerr << "peak memory cannot be reset: the figure includes earlier peaks\n";
        m_start = statusKiB("VmRSS:");
    }
    /// MiB the peak rose above the resident memory at the start.
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

} // namespace lumivel::bench
