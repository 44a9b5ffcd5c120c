// The main window: a borderless dark strip with the Photoshop path row, the backup link,
// the hide-text switch and two pages, the theme page and the custom page, switched by two
// picture buttons. It lies below the splash preview and inside the backdrop's frame, is
// dragged by its background, labels, frames and picture boxes, takes dropped themes, and
// Esc or its close button ends the program.
#pragma once

#include "app/theme_import.h"
#include "app/theme_library.h"
#include "platform/ui.h"
#include "ui/controls.h"
#include "ui/look.h"
#include "ui/splash_preview.h"
#include "ui/tooltips.h"
#include "ui/window.h"

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <string>
#include <vector>

namespace lumivel {

struct AppState;
class Win32Ui;
class Win32View;

/// The controls of the main window, in the order of its form table.
enum class MainControl : std::size_t {
    Pages,           ///< "选择夹1": the pages' area, below every page's controls
    ProgramLink,     ///< "超级链接框3": "Lumivel v1.0", opens the help page
    ThemePageTab,    ///< "图形按钮5"
    CustomPageTab,   ///< "图形按钮6"
    MinimiseButton,  ///< "图形按钮17"
    CloseButton,     ///< "图形按钮7"
    PathCaption,     ///< "标签1"
    PathBox,         ///< "编辑框1": shows the Photoshop root
    LocateButton,    ///< "图形按钮2": locate Photoshop
    BackupLink,      ///< "超级链接框6": "备份"
    TextSwitchFrame, ///< "外形框1": frame around the hide-text switch
    TextSwitch,      ///< "图形按钮20": the hide-text switch, selected while the text is hidden
    TextSwitchLabel, ///< "透明标签1": "隐藏启动文字"; a click flips the switch
    // The theme page.
    DragPlate,       ///< "窗口拖动底板"
    PreviousButton,  ///< "图形按钮3"
    Selector,        ///< "组合框1": the real list, shown while unfolded
    SelectorFace,    ///< "图片框1": the folded selector's frame
    SelectorText,    ///< "伪组合框文字": the folded selector's text
    NextButton,      ///< "图形按钮4"
    ThemeMenuLink,   ///< "超级链接框5": "…"
    DarkIcon,        ///< "图标_暗": app-bar icon of the dark interface of the look shown
    LightIcon,       ///< "图标_亮": app-bar icon of the light interface
    Decoration,      ///< "图形按钮1"
    Description,     ///< "编辑框8"
    Badge1x,         ///< "图形按钮_1X"
    Badge2x,         ///< "图形按钮_2X"
    BadgeText,       ///< "图形按钮_T"
    AuthorCaption,   ///< "标签4"
    AuthorLink,      ///< "超级链接框2"
    ReferenceCaption,///< "标签5"
    ReferenceLink,   ///< "超级链接框1"
    ApplyTheme,      ///< "图形按钮8"
    // The custom page: caption, path box and browse button of each slot.
    SplashLowCaption, SplashLowBox, SplashLowBrowse,
    LightLowCaption, LightLowBox, LightLowBrowse,
    DarkLowCaption, DarkLowBox, DarkLowBrowse,
    SplashHighCaption, SplashHighBox, SplashHighBrowse,
    LightHighCaption, LightHighBox, LightHighBrowse,
    DarkHighCaption, DarkHighBox, DarkHighBrowse,
    TemplateLink,    ///< "超级链接框7": "模板"
    HelpLink,        ///< "超级链接框4": "帮助"
    ApplyImages,     ///< "图形按钮15"
    Count
};

class MainWindow : public Window {
public:
    static constexpr int kWidth = 824;
    static constexpr int kHeight = 179;

    MainWindow(AppState& state, Win32Ui& ui, Win32View& view);

    /// Creates the window, centred on the screen, and runs its creation handler: restores
    /// the Photoshop location (asking for it when none is stored), takes dropped files,
    /// attaches the tooltips, creates the preview and backdrop windows and places the three,
    /// builds the theme list and shows "[当前]" when the installation's index file is there.
    /// The windows are not shown yet.
    bool create();
    /// Shows the window, and the preview and backdrop with it, for the first time.
    void show(int showCommand);

    /// Takes the keys that act on the whole window (Esc closes it) out of the message
    /// loop; true when `message` was such a key.
    bool handleWindowKey(const MSG& message);

    HWND control(MainControl which) const { return m_controls.at(static_cast<std::size_t>(which)); }
    void setText(MainControl which, std::string_view text);
    /// The picture of a picture box; bytes that do not decode leave it blank.
    void setPicture(MainControl which, ByteView png) { m_controls.setPicture(static_cast<std::size_t>(which), png); }
    /// The selected state of a two-state button.
    void setSelected(MainControl which, bool selected) {
        m_controls.setSelected(static_cast<std::size_t>(which), selected);
    }
    SplashPreview& preview() { return m_preview; }

    // What the core shows on the theme page.
    void setThemeEntries(const std::vector<std::string>& entries);
    void setSelectedThemeEntry(std::size_t position);
    void setSelectorUnfolded(bool unfolded);
    void setBadgesVisible(bool visible);
    void setBadges(ThemeBadges badges);
    void setLink(ThemeLink link, std::string_view caption, std::string_view address);

private:
    struct Row;
    static const Row kRows[];

    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onCreate();
    void attachTooltips();
    void onCommand(int commandId, int notification, HWND from);
    void onSelectorNotification(int notification);
    void onDropFiles(HDROP drop);

    void showPage(int page);
    void setControlShown(std::size_t row, bool shown);

    void locatePhotoshop();
    void flipTextSwitch();
    void takeTextSwitch();
    void onThemePageTab();
    void onCustomPageTab();
    void closeProgram();
    void minimise();
    void recreateBackup();
    void selectPrevious();
    void selectNext();
    void unfoldSelector();
    void showThemeMenu();
    void openAuthorLink();
    void openReferenceLink();
    void openHelpPage();
    void openTemplateFolder();
    void applyTheme();
    void applyImages();
    void browseImage();

    AppState& m_state;
    Win32Ui& m_ui;
    Win32View& m_view;
    Look m_look;
    ControlSet m_controls;
    Tooltips m_tooltips;
    SplashPreview m_preview;
    ThemeLibrary m_library;
    ThemeImport m_import;

    int m_page = 1;
    bool m_selectorUnfolded = false;
    bool m_badgesVisible = false;
    std::string m_authorAddress, m_referenceAddress;
    /// The browse button whose click runs, for the slot it fills.
    std::size_t m_clickedRow = 0;
};

} // namespace lumivel
