// The commands of lumivel-cli, one function each, in files named after them.
#pragma once

#include "cli/cli.h"

#include <string_view>

namespace lumivel::cli {

struct Command {
    std::string_view name;
    std::string_view usage;   ///< the command's words after its name
    std::string_view summary; ///< one line for --help
    /// Returns kUsageError, with nothing printed but the problem, when its words are off;
    /// the caller then prints the usage.
    int (*run)(CommandContext& context);
};

int runLocate(CommandContext& context);
int runEntries(CommandContext& context);
int runExtract(CommandContext& context);
int runBackup(CommandContext& context);
int runShow(CommandContext& context);
int runApply(CommandContext& context);
int runThemes(CommandContext& context);
int runImport(CommandContext& context);
int runCheck(CommandContext& context);

/// True when a Photoshop location is known; otherwise says so on the error stream.
bool requireInstallation(CommandContext& context);

} // namespace lumivel::cli
