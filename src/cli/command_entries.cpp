#include "app/live_index.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"

#include <iostream>

namespace lumivel::cli {

bool requireInstallation(CommandContext& context) {
    if (context.state.isLocated())
        return true;
    std::cerr << "lumivel-cli: 还不知道 Photoshop 的位置：请先运行 locate，或用 --photoshop 指定 Photoshop.exe 所在的文件夹\n";
    return false;
}

// The live index as Photoshop reads it: its layout, then each entry's position, name and
// the offset and length of its 1x and 2x images, separated by tabs.
int runEntries(CommandContext& context) {
    if (!context.args.positional.empty())
        return kUsageError;
    if (!requireInstallation(context))
        return kFailed;
    if (!loadLiveIndex(context.state))
        return kFailed;
    const IconResourceIndex& index = context.state.index;
    std::cout << "布局：" << (index.layout() == IndexLayout::FourStore ? "FourStore" : "TwoStore") << "\n";
    std::size_t position = 0;
    for (const IconResourceEntry& entry : index.entries()) {
        std::cout << ++position << '\t' << entry.name() << '\t' << entry.offset(DensityFile::LowRes) << '\t'
                  << entry.length(DensityFile::LowRes) << '\t' << entry.offset(DensityFile::HighRes) << '\t'
                  << entry.length(DensityFile::HighRes) << '\n';
    }
    return kSucceeded;
}

} // namespace lumivel::cli
