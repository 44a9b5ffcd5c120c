#include "cli/cli.h"

#include <string>
#include <vector>

#ifdef _WIN32
#include "platform/text.h"

#include <windows.h>

// Arguments arrive as UTF-16 so that any path works, not only those of the ANSI code page.
int wmain(int argc, wchar_t** argv) {
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(lumivel::utf16ToUtf8(std::u16string(argv[i], argv[i] + wcslen(argv[i]))));
    return lumivel::cli::run(args, std::filesystem::path(argv[0]));
}
#else
int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return lumivel::cli::run(args, std::filesystem::path(argv[0]));
}
#endif
