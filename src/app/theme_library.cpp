#include "app/theme_library.h"

#include "app/app_state.h"
#include "app/theme_import.h"
#include "app/installed_look.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "themes/theme.h"
#include "themes/theme_scan.h"

#include <array>

namespace lumivel {

namespace {

// The theme menu, in the order it shows; an empty text is the separator.
struct ThemeMenuItem {
    std::string_view text;
    void (*run)(ThemeLibrary& library, ThemeImport& import);
};

constexpr std::array<ThemeMenuItem, 4> kThemeMenu = {{
    {"添加主题", [](ThemeLibrary&, ThemeImport& import) { (void)import.addPackageFromMenu(); }},
    {"", nullptr},
    {"打开主题目录", [](ThemeLibrary& library, ThemeImport&) { library.openThemesFolder(); }},
    {"获取更多主题...", [](ThemeLibrary& library, ThemeImport&) { library.openMoreThemesPage(); }},
}};

// A missing image shows as a blank box, an unreadable one too.
Bytes imageOrEmpty(const std::filesystem::path& file) { return files::readFileOrEmpty(file); }

} // namespace

std::string ThemeLibrary::selectedEntry() const {
    return m_selected && *m_selected < m_entries.size() ? m_entries[*m_selected] : std::string();
}

void ThemeLibrary::select(std::size_t position) {
    m_selected = position;
    m_state.view.setSelectedThemeEntry(position);
}

void ThemeLibrary::rebuildList() {
    m_entries = {std::string(kCurrentLookEntry), std::string(kDefaultLookEntry)};
    for (std::string& name : scanThemes(m_state.themesRoot))
        m_entries.push_back(std::move(name));
    m_state.view.setThemeEntries(m_entries);
    select(0);
    m_state.view.setSelectorFaceText(selectedEntry());
}

void ThemeLibrary::foldSelector() {
    m_state.view.setSelectorFaceText(selectedEntry());
    m_state.view.setSelectorUnfolded(false);
}

void ThemeLibrary::unfoldSelector() { m_state.view.setSelectorUnfolded(true); }

void ThemeLibrary::onSelectionChanged() {
    foldSelector();
    // Entries are told apart by their text alone, exactly and with case.
    std::string entry = selectedEntry();
    View& view = m_state.view;
    view.setBadgesVisible(false);
    // The installed look tells the user of a refused index itself, and shows what it has.
    if (entry == kCurrentLookEntry) {
        (void)previewInstalledLook(m_state, LookSource::Current);
        return;
    }
    if (entry == kDefaultLookEntry) {
        (void)previewInstalledLook(m_state, LookSource::Default);
        return;
    }
    // Nothing is selected before the list is first built: there is no theme to show.
    if (!m_selected)
        return;
    view.setBadgesVisible(true);
    showTheme(entry);
}

void ThemeLibrary::showTheme(std::string_view name) {
    Theme theme = Theme::read(m_state.themesRoot, name);
    View& view = m_state.view;
    view.setDescription(theme.info);
    view.setBadges({theme.has1x, theme.has2x, theme.hasText});
    view.setLink(ThemeLink::Author, theme.author, theme.authorUrl);
    view.setLink(ThemeLink::Reference, theme.reference, theme.referenceUrl);
    m_state.textHidden = theme.hidesText;
    view.setTextHiddenSwitch(m_state.textHidden);
    view.showSplash(imageOrEmpty(theme.imageFile(slotInfo(ImageSlot::SplashLow))));
    view.setDarkIcon(imageOrEmpty(theme.imageFile(slotInfo(ImageSlot::DarkIconLow))));
    view.setLightIcon(imageOrEmpty(theme.imageFile(slotInfo(ImageSlot::LightIconLow))));
    view.showTextLayer(m_state.textHidden);
    view.refreshPreview();
}

void ThemeLibrary::pickEntry(std::size_t position) {
    if (position >= m_entries.size())
        return;
    select(position);
    onSelectionChanged();
}

void ThemeLibrary::selectNext() {
    if (m_entries.empty())
        return;
    std::size_t p = m_selected.value_or(m_entries.size() - 1);
    pickEntry(p + 1 >= m_entries.size() ? 0 : p + 1);
}

void ThemeLibrary::selectPrevious() {
    if (m_entries.empty())
        return;
    std::size_t p = m_selected.value_or(0);
    pickEntry(p == 0 ? m_entries.size() - 1 : p - 1);
}

void ThemeLibrary::showThemeMenu(ThemeImport& import) {
    std::array<std::string_view, kThemeMenu.size()> texts;
    for (std::size_t i = 0; i < kThemeMenu.size(); ++i)
        texts[i] = kThemeMenu[i].text;
    auto chosen = m_state.ui.chooseMenuItem("主题菜单", texts);
    if (chosen && *chosen < kThemeMenu.size() && kThemeMenu[*chosen].run)
        kThemeMenu[*chosen].run(*this, import);
}

void ThemeLibrary::openThemesFolder() { m_state.ui.exploreFolder(m_state.themesRoot); }

void ThemeLibrary::openTemplateFolder() {
    m_state.ui.exploreFolder(m_state.programFolder / pathFromText(kTemplateFolder));
}

void ThemeLibrary::openMoreThemesPage() { m_state.ui.openAddress(kMoreThemesAddress); }

} // namespace lumivel
