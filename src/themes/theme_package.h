// Theme packages: zip archives that hold the content of one theme folder. Extraction is
// careful with what it is given, since packages come from anywhere: nothing is written
// outside the target folder, nothing fills the disk, and a package that fails leaves
// nothing behind.
#pragma once

#include "platform/result.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace lumivel {

/// A package with more entries than this is refused.
inline constexpr std::size_t kMaxPackageEntries = 1000;
/// A package whose entries together unpack to more bytes than this is refused.
inline constexpr std::uint64_t kMaxPackageBytes = std::uint64_t(256) << 20;

/// Extracts the theme package `package` into the folder `target`, creating the folders above
/// it when they are missing.
///
/// Entry names marked as UTF-8 are taken as such; other names are code page 936, as Chinese
/// Windows writes them. A package whose entries all sit in one top-level folder gives that
/// folder's content. The entries are first written to a staging folder beside the target and
/// moved into place only when every one was written and the package held a theme
/// ("info.ini" and "loading_low.png" at its root). Over an existing theme, same-named files
/// are replaced (read-only ones too) and the others kept.
///
/// Refused, with nothing written: a name that is absolute, carries a drive letter or a ".."
/// component, or would land outside the target in any other way; a symbolic link; an
/// encrypted entry; an entry whose real size is not the one it declares; more than
/// kMaxPackageEntries entries or more than kMaxPackageBytes in all.
///
/// The error is Missing when the path is empty or names no file, Failed otherwise.
Result<void> extractThemePackage(const std::filesystem::path& package, const std::filesystem::path& target);

/// The extraction's result code as the user reads it: 1 extracted, 0 failed, -1 no package.
int extractionCode(const Result<void>& extraction);

} // namespace lumivel
