#include "apply/apply_look.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "installation/installation.h"
#include "locale/locale_dictionary.h"
#include "platform/files.h"
#include "platform/text.h"
#include "themes/theme.h"

#include <array>
#include <iostream>
#include <string>

namespace lumivel::cli {

namespace {

int usageError(std::string_view problem) {
    if (!problem.empty())
        std::cerr << "lumivel-cli: " << problem << "\n";
    return kUsageError;
}

// The custom page's edit boxes from SLOT=PATH words; false (after saying why) for a word
// that names no slot or a slot named twice.
bool fillCustomSlots(SlotImages& texts, const std::vector<std::string>& words) {
    std::array<bool, kImageSlots.size()> named{};
    for (const std::string& word : words) {
        auto equals = word.find('=');
        const ImageSlotInfo* slot = equals == std::string::npos ? nullptr : slotByCliName(word.substr(0, equals));
        if (!slot) {
            std::cerr << "lumivel-cli: 未知的图片位置：" << word << "\n";
            return false;
        }
        auto index = static_cast<std::size_t>(slot->slot);
        if (named[index]) {
            std::cerr << "lumivel-cli: 图片位置重复：" << slot->cliName << "\n";
            return false;
        }
        std::string path = word.substr(equals + 1);
        if (!path.empty())
            path = textFromPath(std::filesystem::absolute(pathFromText(path)));
        // As on the custom page, a slot whose file is not there keeps the backup's image.
        if (!path.empty() && !files::exists(pathFromText(path)))
            std::cerr << "lumivel-cli: 文件不存在，" << slot->cliName << " 保持 Photoshop 自己的图片：" << path << "\n";
        named[index] = true;
        texts[index] = path;
    }
    return true;
}

// What the main window holds once it has started: the live index loaded when it exists,
// so that its layout decides which stores are backed up. Its refusals are shown by the
// Apply itself, which loads it again.
void loadIndexAsAtStartUp(AppState& state) {
    if (!state.isLocated() || !files::exists(pathFromText(state.indexPath)))
        return;
    if (auto index = IconResourceIndex::fromFile(pathFromText(state.indexPath)); index.ok())
        state.index = std::move(index).value();
}

std::string slotList(const std::vector<ImageSlot>& slots) {
    std::string list;
    for (ImageSlot slot : slots)
        list += (list.empty() ? "" : " ") + std::string(slotInfo(slot).cliName);
    return list;
}

void printSummary(const ApplyOutcome& outcome) {
    const ApplyRequest& request = outcome.request;
    if (!outcome.ranToEnd) {
        std::cout << "结果：没有修改任何文件\n";
        return;
    }
    switch (request.kind) {
    case RequestKind::ThemeLook: std::cout << "应用：主题 " << request.themeName << "\n"; break;
    case RequestKind::CustomImages: std::cout << "应用：自定义图片\n"; break;
    case RequestKind::CurrentLook: std::cout << "应用：" << kCurrentLookEntry << "\n"; break;
    case RequestKind::DefaultLook: std::cout << "应用：" << kDefaultLookEntry << "\n"; break;
    }
    if (request.kind == RequestKind::CurrentLook)
        std::cout << "图片：未改动\n";
    else if (!outcome.imagesReset)
        std::cout << "图片：没有还原\n";
    else if (outcome.writtenSlots.empty())
        std::cout << "图片：已还原为备份\n";
    else
        std::cout << "图片：已还原为备份，并写入 " << slotList(outcome.writtenSlots) << "\n";
    switch (outcome.text) {
    case TextChange::None: std::cout << "启动文字：未改动\n"; break;
    case TextChange::RestoredDefault: std::cout << "启动文字：Photoshop 默认\n"; break;
    case TextChange::HiddenText: std::cout << "启动文字：隐藏\n"; break;
    case TextChange::ThemeText: std::cout << "启动文字：主题文字\n"; break;
    }
}

} // namespace

// The Apply button: what the theme page or the custom page would apply, with the hide-text
// switch as choosing that entry leaves it unless --hide-text or --show-text says otherwise.
int runApply(CommandContext& context) {
    const Arguments& args = context.args;
    int forms = args.has("--theme") + args.has("--current") + args.has("--default") + args.has("--images");
    if (!args.positional.empty() || forms != 1 || args.values("--theme").size() > 1)
        return usageError("");
    if (args.has("--hide-text") && args.has("--show-text"))
        return usageError("--hide-text 与 --show-text 只能选一个");

    AppState& state = context.state;
    bool fromCustomPage = args.has("--images");
    bool textHidden = false;
    SlotImages customTexts;
    std::string entry;
    if (fromCustomPage) {
        if (!fillCustomSlots(customTexts, args.values("--images")))
            return usageError("");
    } else if (args.has("--theme")) {
        std::string name = args.value("--theme");
        if (name.empty() || !files::isDirectory(themeFolder(state.themesRoot, name))) {
            std::cerr << "lumivel-cli: 主题不存在：" << textFromPath(themeFolder(state.themesRoot, name)) << "\n";
            return kFailed;
        }
        entry = name;
        textHidden = Theme::read(state.themesRoot, name).hidesText;
    } else if (args.has("--current")) {
        entry = std::string(kCurrentLookEntry);
        textHidden = state.isLocated() && LocaleDictionary(Installation(state.photoshopRoot), context.ui).hasCustomBlock();
    } else {
        entry = std::string(kDefaultLookEntry);
    }
    if (args.has("--hide-text"))
        textHidden = true;
    if (args.has("--show-text"))
        textHidden = false;
    state.textHidden = textHidden;
    context.view.textHiddenSwitch = textHidden;

    loadIndexAsAtStartUp(state);
    ApplyOutcome outcome = applyLook(state, fromCustomPage ? requestForImages(customTexts, textHidden)
                                                           : requestForEntry(state.themesRoot, entry, textHidden));
    printSummary(outcome);
    bool failed = !outcome.ranToEnd || outcome.backupMissing || outcome.stepFailed;
    return failed ? kFailed : kSucceeded;
}

} // namespace lumivel::cli
