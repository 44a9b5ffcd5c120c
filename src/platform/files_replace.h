// The platform-specific steps of the file layer: moving a finished temporary file over its
// target, and the process facts that make temporary names unique and tell a stale
// temporary file from one in use. Implemented in files_posix.cpp and files_win.cpp.
#pragma once

#include "platform/result.h"

#include <filesystem>

namespace lumivel::files::detail {

/// Moves `temporary` over `target` in one step and makes the change durable.
Result<void> replaceWithTemporary(const std::filesystem::path& temporary, const std::filesystem::path& target);

/// Forces a file's written bytes to the disk.
bool flushToDisk(const std::filesystem::path& path);

/// The id of the running process.
unsigned long currentProcessId();

/// Whether a process with this id runs on this machine now.
bool processIsRunning(unsigned long processId);

/// Ends this process at once, without any clean-up, as a kill from outside would.
[[noreturn]] void endProcessAbruptly();

} // namespace lumivel::files::detail
