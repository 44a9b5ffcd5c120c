#include "platform/files_replace.h"

#include "platform/text.h"

#include <windows.h>

namespace lumivel::files::detail {

bool flushToDisk(const std::filesystem::path& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool flushed = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return flushed;
}

Result<void> replaceWithTemporary(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Error error{"无法写入文件：" + textFromPath(target)};
        error.systemError = static_cast<int>(GetLastError());
        return error;
    }
    return {};
}

} // namespace lumivel::files::detail
