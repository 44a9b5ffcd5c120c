#include "platform/folder_copy.h"

#include "platform/files.h"
#include "platform/text.h"

#include <algorithm>
#include <system_error>
#include <vector>

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
    // Folder by folder and file by file: std::filesystem's own recursive copy cannot make a
    // folder after another's attributes on Windows.
    std::vector<fs::directory_entry> content;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        content.push_back(*it);
    if (ec)
        return failed;
    for (const fs::directory_entry& item : content) {
        fs::path target = copy / item.path().lexically_relative(folder);
        if (item.is_directory(ec)) {
            fs::create_directories(target, ec);
        } else {
            // A read-only file of the same name is overwritten all the same.
            if (fs::exists(target, ec))
                fs::permissions(target, fs::perms::owner_write, fs::perm_options::add, ec);
            fs::copy_file(item.path(), target, fs::copy_options::overwrite_existing, ec);
        }
        if (ec)
            return failed;
    }
    return {};
}

} // namespace lumivel::files
