// The one platform-specific step of an atomic write: moving a finished temporary file
// over its target. Implemented in files_posix.cpp and files_win.cpp.
#pragma once

#include "platform/result.h"

#include <filesystem>

namespace lumivel::files::detail {

/// Moves `temporary` over `target` in one step and makes the change durable.
Result<void> replaceWithTemporary(const std::filesystem::path& temporary, const std::filesystem::path& target);

/// Forces a file's written bytes to the disk.
bool flushToDisk(const std::filesystem::path& path);

} // namespace lumivel::files::detail
