#include "app/locator.h"

#include "app/app_state.h"
#include "app/installed_look.h"
#include "app/settings.h"
#include "installation/installation.h"
#include "installation/product_version.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lumivel {

namespace {

bool namesExistingFile(std::string_view chosen) {
    if (chosen == kNothingChosen || chosen.empty())
        return false;
    auto path = pathFromText(chosen);
    return files::exists(path) && !files::isDirectory(path);
}

void reportVersion(AppState& state, const std::string& version) {
    std::string text = "选择的 Photoshop 版本为：" + version;
    if (isSuitableVersion(versionNumberOf(version))) {
        text += "\r\n本程序在 Photoshop CC2015.1.2（16.1.2）下测试通过，理论上适用于所有 CC2015 （16.x.x）版本。"
                "\r\n可以对你的 Photoshop 使用，但也请做好备份以免意外。\r\n修改启动图将修改以下文件夹内的内容：\r\n" +
                state.photoshopRoot + "Locales\r\n" + state.photoshopRoot + "Resources";
        state.ui.showMessage(text, "可以使用", MessageIcon::None);
    } else {
        text += "\r\n本程序适用于 Photoshop CC2015（16.x.x）版本，未对其他版本作测试，不适用于你的 Photoshop 版本。";
        state.ui.showMessage(text, "不适用的版本", MessageIcon::None);
    }
}

// The dictionary is confirmed when it exists, or when the user picks a .dat file in its stead.
bool confirmDictionary(AppState& state, const Installation& installation) {
    std::string dictionary = installation.dictionaryFile();
    if (files::exists(pathFromText(dictionary)))
        return true;
    state.ui.showMessage("Photoshop 的简体中文字典文件 tw10428.dat 不存在：" + dictionary +
                             "\r\n请选择一个 .dat 文件以确认这个 Photoshop 的位置。",
                         "无效路径", MessageIcon::None);
    return namesExistingFile(state.ui.chooseFile("*.dat|*.dat", installation.localesFolder(), ""));
}

} // namespace

LocateOutcome locatePhotoshop(AppState& state) {
    std::string chosen = state.ui.chooseFile("Photoshop.exe|Photoshop.exe", "", "找到 Photoshop 的位置");
    if (!namesExistingFile(chosen)) {
        state.view.setPathText(state.photoshopRoot);
        return LocateOutcome::Cancelled;
    }
    std::string version = productVersionOfFile(pathFromText(chosen));
    state.setPhotoshopRoot(parentFolderOf(chosen));
    reportVersion(state, version);

    if (!files::exists(pathFromText(state.indexPath))) {
        state.ui.showMessage("Photoshop IconResources.idx 不存在：" + state.indexPath + "\r\n", "无效路径", MessageIcon::None);
        state.clearPhotoshopRoot();
        return LocateOutcome::IndexMissing;
    }
    Installation installation(state.photoshopRoot);
    if (!confirmDictionary(state, installation))
        return LocateOutcome::DictionaryNotConfirmed;

    // A settings file that cannot be written is not reported: the location stays in memory.
    (void)storePhotoshopRoot(state.settingsFile, state.photoshopRoot);
    (void)previewInstalledLook(state, LookSource::Current);
    state.view.setPathText(state.photoshopRoot);
    return LocateOutcome::Accepted;
}

} // namespace lumivel
