#include "support/temp_folder.h"

#include "platform/paths.h"
#include "platform/text.h"

#include <atomic>
#include <chrono>
#include <system_error>

namespace lumivel::testing {

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path = std::filesystem::temp_directory_path() /
             ("lumivel-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::text() const { return withTrailingBackslash(textFromPath(m_path)); }

} // namespace lumivel::testing
