// setting.ini beside the program: section "lumivel", key "photoshop", the Photoshop root.
#pragma once

#include "platform/result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lumivel {

/// The stored Photoshop root; empty when the file, section or key is missing or unreadable.
std::string readStoredPhotoshopRoot(const std::filesystem::path& settingsFile);

/// Stores the Photoshop root, keeping whatever else the file holds. The file is written
/// as UTF-16LE, so any Unicode path survives, and replaced in one step.
Result<void> storePhotoshopRoot(const std::filesystem::path& settingsFile, std::string_view root);

} // namespace lumivel
