// Finding the themes: the sub-folders of the themes root that hold a description file and
// a 1x splash image.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lumivel {

/// The names of the themes below `themesRoot`, in the order the file system lists its
/// folders (hidden ones included), without sorting. A folder counts when it holds both
/// "info.ini" and "loading_low.png"; a missing root holds no themes.
std::vector<std::string> scanThemes(const std::filesystem::path& themesRoot);

} // namespace lumivel
