#include "app/theme_import.h"

#include "app/app_state.h"
#include "app/theme_library.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "themes/theme.h"
#include "themes/theme_package.h"

#include <algorithm>
#include <system_error>

namespace lumivel {

namespace {

constexpr std::string_view kAddedCaption = "添加主题";
constexpr std::string_view kPackageFilter = "zip|*.zip";

std::string addedMessage(std::string_view fileName, std::string_view place) {
    return "已添加主题：" + std::string(fileName) + "\r\n" + std::string(place);
}

// "D:\themes\Blue\" names the folder Blue as much as "D:\themes\Blue" does.
std::string withoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && isSeparator(path.back()))
        path.pop_back();
    return path;
}

// The dropped text: one path, or several each followed by CR LF.
std::vector<std::string> droppedPaths(std::string_view dropped) {
    std::vector<std::string> paths;
    while (!dropped.empty()) {
        std::size_t end = dropped.find_first_of("\r\n");
        std::string_view path = dropped.substr(0, end);
        if (!path.empty())
            paths.emplace_back(path);
        if (end == std::string_view::npos)
            break;
        dropped.remove_prefix(end + 1);
    }
    return paths;
}

} // namespace

int ThemeImport::extractPackage(const std::filesystem::path& package, const std::filesystem::path& target) {
    return extractionCode(extractThemePackage(package, target));
}

ImportOutcome ThemeImport::importPackage(const std::string& path) {
    std::string fileName = fileNameOf(path);
    ImportOutcome outcome;
    outcome.item = path;
    outcome.place = textFromPath(themeFolder(m_state.themesRoot, withoutExtension(fileName)));
    auto extraction = extractThemePackage(pathFromText(path), pathFromText(outcome.place));
    outcome.code = extractionCode(extraction);
    if (extraction) {
        outcome.kind = ImportOutcome::Kind::Imported;
        m_state.ui.showMessage(addedMessage(fileName, outcome.place), kAddedCaption, MessageIcon::None);
        return outcome;
    }
    outcome.kind = ImportOutcome::Kind::Failed;
    outcome.problem = extraction.error().message;
    m_state.ui.showMessage("解压主题包错误：" + outcome.place, "错误代码：" + std::to_string(outcome.code),
                           MessageIcon::None);
    return outcome;
}

ImportOutcome ThemeImport::importFolder(const std::string& given) {
    std::string path = withoutTrailingSeparators(given);
    std::string fileName = fileNameOf(path);
    ImportOutcome outcome;
    outcome.item = given;
    outcome.place = textFromPath(themeFolder(m_state.themesRoot, fileName));
    // The first theme brought in makes the themes root.
    std::error_code ec;
    std::filesystem::create_directories(m_state.themesRoot, ec);
    auto copy = m_state.ui.copyFolder(pathFromText(path), m_state.themesRoot);
    if (copy) {
        outcome.kind = ImportOutcome::Kind::Imported;
        m_state.ui.showMessage(addedMessage(fileName, outcome.place), kAddedCaption, MessageIcon::None);
        return outcome;
    }
    outcome.kind = ImportOutcome::Kind::Failed;
    outcome.problem = copy.error().message;
    m_state.ui.showMessage("复制主题包错误：" + outcome.place, "复制错误", MessageIcon::None);
    return outcome;
}

ImportOutcome ThemeImport::importItem(const std::string& path) {
    // A path that names nothing counts as a folder, whose copy then fails with its message.
    if (isFolder(path))
        return importFolder(path);
    if (equalsIgnoringAsciiCase(extensionOf(path), "zip"))
        return importPackage(path);
    ImportOutcome ignored;
    ignored.kind = ImportOutcome::Kind::Ignored;
    ignored.item = path;
    return ignored;
}

ImportOutcome ThemeImport::addPackageFromMenu() {
    std::string chosen = m_state.ui.chooseFile(kPackageFilter, "", "");
    if (chosen == kNothingChosen)
        return ImportOutcome{};
    ImportOutcome outcome = importPackage(chosen);
    if (outcome.imported())
        m_library.rebuildList();
    return outcome;
}

std::vector<ImportOutcome> ThemeImport::importItems(const std::vector<std::string>& paths) {
    std::vector<ImportOutcome> outcomes;
    for (const std::string& path : paths)
        outcomes.push_back(importItem(path));
    if (std::any_of(outcomes.begin(), outcomes.end(), [](const ImportOutcome& o) { return o.imported(); }))
        m_library.rebuildList();
    return outcomes;
}

std::vector<ImportOutcome> ThemeImport::onDrop(std::string_view dropped) { return importItems(droppedPaths(dropped)); }

} // namespace lumivel
