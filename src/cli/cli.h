// lumivel-cli: the command-line front end on the same core as Lumivel.exe.
#pragma once

#include "app/app_state.h"
#include "platform/stored_view.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lumivel::cli {

/// Exit statuses: the operation succeeded, it failed or stopped, the words were off.
enum ExitStatus { kSucceeded = 0, kFailed = 1, kUsageError = 2 };

/// A parsed command line: the command's own words and its --options.
struct Arguments {
    std::vector<std::string> positional;
    std::multimap<std::string, std::string> options; ///< "--name" → value ("" for a flag)

    bool has(std::string_view option) const { return options.count(std::string(option)) != 0; }
    std::string value(std::string_view option) const;
    std::vector<std::string> values(std::string_view option) const;
};

class CliUi;
/// The command line's preview keeps what it is shown, for commands to write out.
using CliView = StoredView;

/// What every command gets: the state (with the global options applied), the seams and its words.
struct CommandContext {
    AppState& state;
    CliUi& ui;
    CliView& view;
    const Arguments& args;
};

/// Runs one command line; returns the exit status. `executable` locates setting.ini
/// and LumivelTheme when --settings and --themes are not given.
int run(const std::vector<std::string>& args, const std::filesystem::path& executable);

} // namespace lumivel::cli
