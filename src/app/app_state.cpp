#include "app/app_state.h"

#include "installation/installation.h"
#include "platform/paths.h"

namespace lumivel {

AppState::AppState(Ui& ui, View& view, std::filesystem::path folder)
    : ui(ui), view(view), programFolder(std::move(folder)), settingsFile(programFolder / "setting.ini"),
      themesRoot(programFolder / "LumivelTheme") {}

void AppState::setPhotoshopRoot(std::string_view root) {
    photoshopRoot = std::string(root);
    indexPath = Installation(root).indexFile();
}

void AppState::clearPhotoshopRoot() {
    photoshopRoot.clear();
    indexPath.clear();
}

} // namespace lumivel
