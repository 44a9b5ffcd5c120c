#include "cli/cli.h"
#include "platform/files.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The kill test's hook (tests/kill): LUMIVEL_TEST_KILL_AT=N ends the process at the file
// layer's Nth kill point; N=0 only counts the points and prints their number at the end.
// Read by lumivel-cli alone; Lumivel.exe knows nothing of it.
int runWithTestHooks(const std::vector<std::string>& args, const std::filesystem::path& executable) {
    const char* killAt = std::getenv("LUMIVEL_TEST_KILL_AT");
    if (killAt)
        lumivel::files::killAtPointForTesting(std::atoi(killAt));
    int status = lumivel::cli::run(args, executable);
    if (killAt)
        std::fprintf(stderr, "lumivel-cli: kill points passed: %d\n", lumivel::files::killPointCountForTesting());
    return status;
}

} // namespace

#ifdef _WIN32
#include "platform/text.h"

#include <windows.h>

// Arguments arrive as UTF-16 so that any path works, not only those of the ANSI code page.
int wmain(int argc, wchar_t** argv) {
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(lumivel::utf16ToUtf8(std::u16string(argv[i], argv[i] + wcslen(argv[i]))));
    return runWithTestHooks(args, std::filesystem::path(argv[0]));
}
#else
int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return runWithTestHooks(args, std::filesystem::path(argv[0]));
}
#endif
