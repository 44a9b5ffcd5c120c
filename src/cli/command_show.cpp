#include "app/installed_look.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"

#include <array>
#include <iostream>
#include <optional>

namespace lumivel::cli {

namespace {

std::optional<LookSource> sourceNamed(std::string_view name) {
    if (name == "current")
        return LookSource::Current;
    if (name == "default")
        return LookSource::Default;
    return std::nullopt;
}

} // namespace

// "[当前]" or "[默认]": what the main window and the preview would show, printed, and the
// images written to --out when given.
int runShow(CommandContext& context) {
    std::optional<LookSource> source;
    if (context.args.positional.size() == 1)
        source = sourceNamed(context.args.positional.front());
    if (!source)
        return kUsageError;
    if (!requireInstallation(context))
        return kFailed;
    Result<void> shown = previewInstalledLook(context.state, *source);

    std::cout << "说明：" << context.view.description << "\n"
              << "启动文字：" << (context.state.textHidden ? "隐藏" : "显示") << "\n";
    // A refusal told as an error (an empty index file) fails the command; one the user is
    // told of only as information, or not at all, leaves the preview of the index as it was.
    bool failed = !shown.ok() && shown.error().errorIcon && !shown.error().message.empty();
    if (std::string out = context.args.value("--out"); !out.empty()) {
        auto folder = pathFromText(out);
        if (!files::isDirectory(folder) && !files::createFolder(folder)) {
            std::cerr << "lumivel-cli: 无法创建文件夹：" << out << "\n";
            return kFailed;
        }
        const std::array<std::pair<std::string_view, const Bytes*>, 3> images = {{
            {"splash.png", &context.view.splash},
            {"dark.png", &context.view.darkIcon},
            {"light.png", &context.view.lightIcon},
        }};
        for (const auto& [name, bytes] : images) {
            if (bytes->empty())
                continue;
            std::string path = joinPath(out, {name});
            auto written = files::writeFileAtomic(pathFromText(path), *bytes);
            if (written)
                std::cout << "已写出：" << path << "\n";
            else
                std::cerr << "lumivel-cli: " << written.error().message << "\n";
            failed = failed || !written;
        }
    }
    return failed ? kFailed : kSucceeded;
}

} // namespace lumivel::cli
