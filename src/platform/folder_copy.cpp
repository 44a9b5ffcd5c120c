#include "platform/folder_copy.h"

#include "platform/files.h"
#include "platform/text.h"

#include <algorithm>
#include <system_error>

namespace lumivel::files {

namespace fs = std::filesystem;

Result<void> copyFolderInto(const fs::path& given, const fs::path& destination) {
    // "D:\Blue\" names the folder Blue as much as "D:\Blue" does.
    fs::path folder = given.filename().empty() ? given.parent_path() : given;
    Error failed{"无法复制文件夹：" + textFromPath(folder)};
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return Error{"文件夹不存在：" + textFromPath(folder), Error::Kind::Missing};
    fs::path copy = destination / folder.filename();
    // A folder copied into itself would never end.
    auto inside = fs::weakly_canonical(destination, ec);
    auto source = fs::weakly_canonical(folder, ec);
    auto [sourceEnd, insideAt] = std::mismatch(source.begin(), source.end(), inside.begin(), inside.end());
    if (ec || sourceEnd == source.end())
        return failed;
    fs::create_directories(copy, ec);
    if (ec)
        return failed;
    fs::copy(folder, copy, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    if (ec)
        return failed;
    return {};
}

} // namespace lumivel::files
