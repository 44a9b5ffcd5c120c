#include "app/live_index.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "platform/files.h"
#include "platform/text.h"

#include <iostream>
#include <optional>

namespace lumivel::cli {

namespace {

std::optional<DensityFile> densityNamed(std::string_view name) {
    if (name == "low")
        return DensityFile::LowRes;
    if (name == "high")
        return DensityFile::HighRes;
    return std::nullopt;
}

} // namespace

// Writes the bytes of one entry's image, as the live index points at them, to a file.
int runExtract(CommandContext& context) {
    auto density = densityNamed(context.args.value("--density"));
    std::string out = context.args.has("-o") ? context.args.value("-o") : context.args.value("--out");
    if (context.args.positional.size() != 1 || !density || out.empty())
        return kUsageError;
    if (!requireInstallation(context) || !loadLiveIndex(context.state))
        return kFailed;
    const std::string& name = context.args.positional.front();
    if (!context.state.index.positionOf(name)) {
        std::cerr << "lumivel-cli: 索引中没有这个条目：" << name << "\n";
        return kFailed;
    }
    Bytes image = readEntryImage(context.state, name, *density);
    if (image.empty()) {
        std::cerr << "lumivel-cli: 条目的图片是空的（图片库缺失或条目指向图片库之外）：" << name << "\n";
        return kFailed;
    }
    auto written = files::writeFileAtomic(pathFromText(out), image);
    if (!written) {
        std::cerr << "lumivel-cli: " << written.error().message << "\n";
        return kFailed;
    }
    std::cout << out << "：" << image.size() << " 字节\n";
    return kSucceeded;
}

} // namespace lumivel::cli
