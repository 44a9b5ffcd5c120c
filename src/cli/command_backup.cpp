#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "installation/backup_store.h"

namespace lumivel::cli {

// The "备份" link: a fresh backup of the live files, keeping the first replaced one as
// lumivel_BAK_old. Each failed step has printed its own message.
int runBackup(CommandContext& context) {
    if (!context.args.positional.empty())
        return kUsageError;
    if (!requireInstallation(context))
        return kFailed;
    bool everyStep = BackupStore(Installation(context.state.photoshopRoot), context.ui).recreate();
    return everyStep ? kSucceeded : kFailed;
}

} // namespace lumivel::cli
