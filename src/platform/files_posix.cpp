#include "platform/files_replace.h"

#include "platform/text.h"

#include <cerrno>
#include <cstdio>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace lumivel::files::detail {

namespace {

bool syncPath(const std::filesystem::path& path, int flags) {
    int fd = ::open(path.c_str(), flags);
    if (fd < 0)
        return false;
    bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

} // namespace

bool flushToDisk(const std::filesystem::path& path) { return syncPath(path, O_RDONLY); }

Result<void> replaceWithTemporary(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        Error error{"无法写入文件：" + textFromPath(target)};
        error.systemError = errno;
        return error;
    }
    // The rename is only durable once the folder's entry is on disk too.
    auto folder = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    syncPath(folder, O_RDONLY | O_DIRECTORY);
    return {};
}

unsigned long currentProcessId() { return static_cast<unsigned long>(::getpid()); }

bool processIsRunning(unsigned long processId) {
    if (processId == 0 || processId > static_cast<unsigned long>(std::numeric_limits<pid_t>::max()))
        return false;
    // Signal 0 only asks whether the process exists; EPERM says it does, under another user.
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
}

void endProcessAbruptly() {
    ::kill(::getpid(), SIGKILL);
    ::_exit(137);
}

} // namespace lumivel::files::detail
