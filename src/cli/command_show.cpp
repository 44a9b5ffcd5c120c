#include "app/installed_look.h"
#include "app/theme_library.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/show_output.h"

#include <algorithm>
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

std::string_view had(bool present) { return present ? "有" : "无"; }

std::string linkText(const StoredView::Link& link) {
    return link.address.empty() ? link.caption : link.caption + "（" + link.address + "）";
}

// What selecting a theme shows below the selector: the links and the three badges.
void printThemeDetails(const CliView& view) {
    std::cout << "作者：" << linkText(view.authorLink) << "\n"
              << "引用：" << linkText(view.referenceLink) << "\n"
              << "1x 启动图：" << had(view.badges.has1x) << "，2x 启动图：" << had(view.badges.has2x)
              << "，自定义启动文字：" << had(view.badges.hasText) << "\n";
}

// The theme selector's entry of that name, picked as the user would pick it.
std::optional<int> pickTheme(CommandContext& context, ThemeLibrary& library, std::string_view name) {
    library.rebuildList();
    const auto& entries = library.entries();
    auto at = std::find(entries.begin(), entries.end(), name);
    if (at == entries.end()) {
        std::cerr << "lumivel-cli: 主题列表中没有这个主题：" << name << "\n";
        return kFailed;
    }
    bool pseudoEntry = *at == kCurrentLookEntry || *at == kDefaultLookEntry;
    if (pseudoEntry && !requireInstallation(context))
        return kFailed;
    library.pickEntry(static_cast<std::size_t>(at - entries.begin()));
    return std::nullopt;
}

} // namespace

// "[当前]", "[默认]" or a theme: what the main window and the preview would show, printed,
// and the images and the preview's picture written to --out when given.
int runShow(CommandContext& context) {
    const auto& words = context.args.positional;
    ThemeLibrary library(context.state);
    Result<void> shown;
    if (words.size() == 2 && words.front() == "theme") {
        if (auto stopped = pickTheme(context, library, words[1]))
            return *stopped;
    } else {
        std::optional<LookSource> source;
        if (words.size() == 1)
            source = sourceNamed(words.front());
        if (!source)
            return kUsageError;
        if (!requireInstallation(context))
            return kFailed;
        shown = previewInstalledLook(context.state, *source);
    }

    std::cout << "说明：" << context.view.description << "\n"
              << "启动文字：" << (context.state.textHidden ? "隐藏" : "显示") << "\n";
    // The badges show for a theme only, never for the pseudo-entries.
    if (context.view.badgesVisible)
        printThemeDetails(context.view);
    // A refusal told as an error (an empty index file) fails the command; one the user is
    // told of only as information, or not at all, leaves the preview of the index as it was.
    bool failed = !shown.ok() && shown.error().errorIcon && !shown.error().message.empty();
    if (std::string out = context.args.value("--out"); !out.empty())
        failed = !writeShownLook(context.view, out) || failed;
    return failed ? kFailed : kSucceeded;
}

} // namespace lumivel::cli
