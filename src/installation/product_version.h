// The product version of an executable, read from its version resource without the
// help of the system, and the verdict on whether Lumivel was made for it.
#pragma once

#include "platform/bytes.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lumivel {

/// "ProductVersion" of the version resource's first listed translation ("040904E4" when
/// none is listed). Empty when the file is not a PE file or has no such value.
std::string productVersionOfFile(const std::filesystem::path& executable);
std::string productVersionOf(ByteView executable);

/// Reads the leading decimal number of a version text as C's strtod would ("16.1.2" is
/// 16.1, " 16.5" is 16.5, "abc" is 0), narrowed to single precision.
float versionNumberOf(std::string_view versionText);

/// Photoshop CC 2015 is version 16; later versions are let through too.
bool isSuitableVersion(float versionNumber);

} // namespace lumivel
