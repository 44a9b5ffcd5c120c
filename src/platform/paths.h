// Small functions on path texts. They accept both '\' and '/' as separators, so a
// Windows path written by hand and a path of the running system work alike; a separator
// they add is the system's own.
#pragma once

#include <string>
#include <string_view>

namespace lumivel {

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

inline bool isSeparator(char c) { return c == '\\' || c == '/'; }

/// The path unchanged when it ends in a separator, else the path and a separator.
std::string withTrailingBackslash(std::string_view path);
/// The text up to and including the last separator; empty when there is none.
std::string parentFolderOf(std::string_view path);
/// The text after the last separator; the whole path when there is none.
std::string fileNameOf(std::string_view path);
/// The text after the last '.' of the whole path; empty when there is none.
std::string extensionOf(std::string_view path);
/// The text before the last '.' of the whole path; the whole path when there is none.
std::string withoutExtension(std::string_view path);
/// True for a folder, and for a path that names nothing; false for an existing file.
bool isFolder(std::string_view path);

/// Joins folder names below a folder with the system's separator: joinPath("C:\\PS\\", {"Resources", "x"}).
std::string joinPath(std::string_view folder, std::initializer_list<std::string_view> names);

/// Whether the file `path` exists, comparing its last name without regard to case as
/// Windows does (on Windows the file system already does so).
bool fileExistsIgnoringCase(std::string_view path);

} // namespace lumivel
