// Copying a whole folder the plain way: what the command line and the tests do where the
// Windows program lets the shell copy a dropped theme folder.
#pragma once

#include "platform/result.h"

#include <filesystem>

namespace lumivel::files {

/// Copies `folder` with everything in it into `destination` (created when missing), where it
/// keeps its name. A folder of that name that exists already is merged into, and files of
/// the same name are overwritten. The error names the folder that could not be copied.
Result<void> copyFolderInto(const std::filesystem::path& folder, const std::filesystem::path& destination);

} // namespace lumivel::files
