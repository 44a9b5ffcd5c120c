#include "app/locator.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "platform/text.h"

#include <iostream>

namespace lumivel::cli {

// The locator with its dialogs answered from the command line: the executable for the
// Photoshop dialog, --dictionary (when given) for the dictionary dialog.
int runLocate(CommandContext& context) {
    if (context.args.positional.size() != 1)
        return kUsageError;
    std::filesystem::path executable = std::filesystem::absolute(pathFromText(context.args.positional.front()));
    context.ui.fileAnswers.push_back(textFromPath(executable));
    if (context.args.has("--dictionary"))
        context.ui.fileAnswers.push_back(context.args.value("--dictionary"));
    LocateOutcome outcome = locatePhotoshop(context.state);
    if (outcome == LocateOutcome::Accepted)
        std::cout << "Photoshop: " << context.state.photoshopRoot << "\n";
    return outcome == LocateOutcome::Accepted ? kSucceeded : kFailed;
}

} // namespace lumivel::cli
