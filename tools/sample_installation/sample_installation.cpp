#include "sample_installation/sample_installation.h"

namespace lumivel::sample {

void createSampleInstallation(const std::filesystem::path& root, const SampleOptions&) {
    std::filesystem::create_directories(root);
}

} // namespace lumivel::sample
