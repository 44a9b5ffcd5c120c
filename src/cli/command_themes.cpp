#include "app/theme_import.h"
#include "app/theme_library.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"

#include <iostream>

namespace lumivel::cli {

// The theme selector's entries in order, one per line: "[当前]", "[默认]", then the themes.
int runThemes(CommandContext& context) {
    if (!context.args.positional.empty())
        return kUsageError;
    ThemeLibrary library(context.state);
    library.rebuildList();
    for (const std::string& entry : library.entries())
        std::cout << entry << "\n";
    return kSucceeded;
}

// Each path as a drop on the main window treats it: a zip package is extracted, a folder is
// copied, any other file is left alone. Every import shows its own message.
int runImport(CommandContext& context) {
    if (context.args.positional.empty())
        return kUsageError;
    ThemeLibrary library(context.state);
    ThemeImport import(context.state, library);
    bool allImported = true;
    for (const ImportOutcome& outcome : import.importItems(context.args.positional)) {
        if (outcome.kind == ImportOutcome::Kind::Ignored)
            std::cerr << "lumivel-cli: 不是 zip 主题包也不是文件夹，没有导入：" << outcome.item << "\n";
        else if (outcome.kind == ImportOutcome::Kind::Failed)
            std::cerr << "lumivel-cli: " << outcome.problem << "\n";
        allImported = allImported && outcome.imported();
    }
    return allImported ? kSucceeded : kFailed;
}

} // namespace lumivel::cli
