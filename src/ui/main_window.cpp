#include "ui/main_window.h"

#include "app/app_state.h"
#include "app/installed_look.h"
#include "app/locator.h"
#include "app/start_up.h"
#include "app/text_switch.h"
#include "apply/apply_look.h"
#include "apply/apply_request.h"
#include "installation/backup_store.h"
#include "installation/installation.h"
#include "platform/files.h"
#include "platform/text.h"
#include "ui/resource_ids.h"
#include "ui/slot_controls.h"
#include "ui/wide_text.h"
#include "ui/win32_ui.h"

#include <shellapi.h>

#include <iterator>

namespace lumivel {

namespace {

constexpr int kFirstCommandId = 100;

// The pages of the tab control "选择夹1": the window itself holds the controls of none.
constexpr int kOnWindow = 0;
constexpr int kThemePage = 1;
constexpr int kCustomPage = 2;

// Where the pages' area lies on the window: the page of "选择夹1" at 8, 29. A page's
// controls are placed relative to it.
constexpr Place kPageArea{8, 29, 808, 155};

constexpr Place onPage(Place place) { return {kPageArea.x + place.x, kPageArea.y + place.y, place.width, place.height}; }

// Where the selector's face text lies inside its frame "图片框1" (at 288, 8 on the page).
constexpr Place inSelectorFace(Place place) { return onPage({288 + place.x, 8 + place.y, place.width, place.height}); }

// The program's help page.
constexpr std::string_view kHelpAddress = "https://github.com/search?q=lumivel&type=repositories";

constexpr std::wstring_view kBackupTip =
    L"为当前的 Ps 创建一个备份。\r\n注意：不要在修改 Ps 后创建备份，否则不仅将无法还原，而且每次修改都是在备份的基础上进行的，所以需要原版备份。";

// Whether every row stands at the place of its MainControl, the place it is looked up by.
template <typename Row, std::size_t N>
constexpr bool rowsInControlOrder(const Row (&rows)[N]) {
    if (N != static_cast<std::size_t>(MainControl::Count))
        return false;
    for (std::size_t row = 0; row < N; ++row) {
        if (rows[row].id != static_cast<MainControl>(row))
            return false;
    }
    return true;
}

constexpr std::size_t rowOf(MainControl which) { return static_cast<std::size_t>(which); }

} // namespace

/// One control of the main window: its form, the page it is on, its tooltip and what a
/// click on it (or a press, for links and transparent labels) does.
struct MainWindow::Row {
    MainControl id;
    ControlForm form;
    int page;
    std::wstring_view tooltip;
    void (MainWindow::*onClick)();
};

using K = ControlKind;
using M = MainControl;
using W = MainWindow;

// The main window's form. A row's place in the table is its MainControl and, from
// kFirstCommandId on, its command id; later rows lie above earlier ones.
constexpr MainWindow::Row MainWindow::kRows[] = {
    {M::Pages, {L"选择夹1", K::TabPage, kPageArea, L""}, kOnWindow, {}, nullptr},
    {M::ProgramLink, {L"超级链接框3", K::Hyperlink, {1, 0, 69, 24}, L"Lumivel v1.0"}, kOnWindow, {}, &W::openHelpPage},
    {M::ThemePageTab, {L"图形按钮5", K::TwoStateButton, {381, 12, 40, 26}, L"", IDR_TAB_THEMES}, kOnWindow, {},
     &W::onThemePageTab},
    {M::CustomPageTab, {L"图形按钮6", K::TwoStateButton, {432, 12, 48, 26}, L"", IDR_TAB_CUSTOM}, kOnWindow, {},
     &W::onCustomPageTab},
    {M::MinimiseButton, {L"图形按钮17", K::PictureButton, {769, 3, 24, 26}, L"", IDR_BUTTON_MINIMISE}, kOnWindow, {},
     &W::minimise},
    {M::CloseButton, {L"图形按钮7", K::PictureButton, {797, 4, 48, 26}, L"", IDR_BUTTON_CLOSE}, kOnWindow, {},
     &W::closeProgram},
    {M::PathCaption, {L"标签1", K::Label, {20, 132, 68, 32}, L"Ps 路径："}, kOnWindow, {}, nullptr},
    {M::PathBox, {L"编辑框1", K::EditBox, {71, 133, 81, 32}, L""}, kOnWindow, {}, nullptr},
    {M::LocateButton, {L"图形按钮2", K::PictureButton, {158, 140, 48, 24}, L"", IDR_BUTTON_LOCATE}, kOnWindow, {},
     &W::locatePhotoshop},
    {M::BackupLink, {L"超级链接框6", K::Hyperlink, {215, 138, 32, 24}, L"备份"}, kOnWindow, kBackupTip,
     &W::recreateBackup},
    {M::TextSwitchFrame, {L"外形框1", K::ShapeBox, {578, 140, 112, 24}, L""}, kOnWindow, {}, nullptr},
    {M::TextSwitch, {L"图形按钮20", K::TwoStateButton, {595, 144, 48, 19}, L"", IDR_SWITCH_HIDE_TEXT}, kOnWindow, {},
     &W::takeTextSwitch},
    {M::TextSwitchLabel, {L"透明标签1", K::TransparentLabel, {612, 142, 80, 16}, L"隐藏启动文字"}, kOnWindow, {},
     &W::flipTextSwitch},

    {M::DragPlate, {L"窗口拖动底板", K::PictureBox, onPage({-40, -5, 888, 144}), L""}, kThemePage, {}, nullptr},
    {M::PreviousButton, {L"图形按钮3", K::PictureButton, onPage({256, 8, 27, 26}), L"", IDR_BUTTON_PREVIOUS},
     kThemePage, {}, &W::selectPrevious},
    {M::Selector, {L"组合框1", K::ComboBox, onPage({288, 8, 243, 25}), L"默认"}, kThemePage, {}, nullptr},
    {M::SelectorFace, {L"图片框1", K::ShapeBox, onPage({288, 8, 243, 26}), L""}, kThemePage, {}, nullptr},
    {M::SelectorText, {L"伪组合框文字", K::TransparentLabel, inSelectorFace({8, 1, 232, 24}), L"[当前]"}, kThemePage,
     {}, &W::unfoldSelector},
    {M::NextButton, {L"图形按钮4", K::PictureButton, onPage({536, 8, 27, 26}), L"", IDR_BUTTON_NEXT}, kThemePage, {},
     &W::selectNext},
    {M::ThemeMenuLink, {L"超级链接框5", K::Hyperlink, onPage({568, 3, 24, 24}), L"…"}, kThemePage, {},
     &W::showThemeMenu},
    {M::DarkIcon, {L"图标_暗", K::PictureBox, onPage({64, 9, 32, 32}), L""}, kThemePage, {}, nullptr},
    {M::LightIcon, {L"图标_亮", K::PictureBox, onPage({64, 41, 32, 32}), L""}, kThemePage, {}, nullptr},
    {M::Decoration, {L"图形按钮1", K::PictureButton, onPage({114, 32, 48, 24}), L"", IDR_BUTTON_DECORATION},
     kThemePage, {}, nullptr},
    {M::Description, {L"编辑框8", K::EditBox, onPage({200, 43, 432, 24}), L"*"}, kThemePage, {}, nullptr},
    {M::Badge1x, {L"图形按钮_1X", K::Badge, onPage({386, 74, 24, 9}), L"", IDR_BADGE_1X}, kThemePage,
     L"这个主题有 @1x 尺寸启动图", nullptr},
    {M::Badge2x, {L"图形按钮_2X", K::Badge, onPage({406, 74, 24, 9}), L"", IDR_BADGE_2X}, kThemePage,
     L"这个主题有 @2x 尺寸启动图，@2x 尺寸用于高清屏幕下 Ps 使用 200% UI 设置时显示", nullptr},
    {M::BadgeText, {L"图形按钮_T", K::Badge, onPage({426, 74, 24, 9}), L"", IDR_BADGE_TEXT}, kThemePage,
     L"这个主题有自定义的启动文字", nullptr},
    {M::AuthorCaption, {L"标签4", K::Label, onPage({324, 94, 32, 17}), L"作者："}, kThemePage, {}, nullptr},
    {M::AuthorLink, {L"超级链接框2", K::Hyperlink, onPage({359, 95, 122, 15}), L""}, kThemePage, {},
     &W::openAuthorLink},
    {M::ReferenceCaption, {L"标签5", K::Label, onPage({324, 110, 32, 13}), L"引用："}, kThemePage, {}, nullptr},
    {M::ReferenceLink, {L"超级链接框1", K::Hyperlink, onPage({360, 108, 120, 18}), L""}, kThemePage, {},
     &W::openReferenceLink},
    {M::ApplyTheme, {L"图形按钮8", K::PictureButton, onPage({688, 108, 123, 26}), L"", IDR_BUTTON_APPLY_THEME},
     kThemePage, {}, &W::applyTheme},

    // Each slot's browse button follows its path box.
    {M::SplashLowCaption, {L"标签2", K::Label, onPage({23, 13, 96, 25}), L"启动图片："}, kCustomPage, {}, nullptr},
    {M::SplashLowBox, {L"编辑框2", K::EditBox, onPage({120, 12, 104, 32}), L""}, kCustomPage, {}, nullptr},
    {M::SplashLowBrowse, {L"图形按钮9", K::PictureButton, onPage({229, 19, 48, 24}), L"", IDR_BUTTON_LOCATE},
     kCustomPage, {}, &W::browseImage},
    {M::LightLowCaption, {L"标签7", K::Label, onPage({-8, 43, 128, 25}), L"图标亮界面："}, kCustomPage, {}, nullptr},
    {M::LightLowBox, {L"编辑框3", K::EditBox, onPage({120, 40, 104, 32}), L""}, kCustomPage, {}, nullptr},
    {M::LightLowBrowse, {L"图形按钮10", K::PictureButton, onPage({228, 46, 48, 24}), L"", IDR_BUTTON_LOCATE},
     kCustomPage, {}, &W::browseImage},
    {M::DarkLowCaption, {L"标签8", K::Label, onPage({-8, 72, 128, 25}), L"图标暗界面："}, kCustomPage, {}, nullptr},
    {M::DarkLowBox, {L"编辑框4", K::EditBox, onPage({120, 70, 104, 32}), L""}, kCustomPage, {}, nullptr},
    {M::DarkLowBrowse, {L"图形按钮12", K::PictureButton, onPage({228, 75, 48, 24}), L"", IDR_BUTTON_LOCATE},
     kCustomPage, {}, &W::browseImage},
    {M::SplashHighCaption, {L"标签6", K::Label, onPage({312, 17, 128, 25}), L"启动图片@X2："}, kCustomPage, {},
     nullptr},
    {M::SplashHighBox, {L"编辑框7", K::EditBox, onPage({440, 14, 104, 32}), L""}, kCustomPage, {}, nullptr},
    {M::SplashHighBrowse, {L"图形按钮11", K::PictureButton, onPage({549, 20, 48, 24}), L"", IDR_BUTTON_LOCATE},
     kCustomPage, {}, &W::browseImage},
    {M::LightHighCaption, {L"标签9", K::Label, onPage({312, 47, 128, 25}), L"图标亮界面@X2："}, kCustomPage, {},
     nullptr},
    {M::LightHighBox, {L"编辑框6", K::EditBox, onPage({440, 44, 104, 32}), L""}, kCustomPage, {}, nullptr},
    {M::LightHighBrowse, {L"图形按钮13", K::PictureButton, onPage({548, 49, 48, 24}), L"", IDR_BUTTON_LOCATE},
     kCustomPage, {}, &W::browseImage},
    {M::DarkHighCaption, {L"标签10", K::Label, onPage({312, 76, 128, 25}), L"图标暗界面@X2："}, kCustomPage, {},
     nullptr},
    {M::DarkHighBox, {L"编辑框5", K::EditBox, onPage({440, 72, 104, 32}), L""}, kCustomPage, {}, nullptr},
    {M::DarkHighBrowse, {L"图形按钮14", K::PictureButton, onPage({548, 79, 48, 24}), L"", IDR_BUTTON_LOCATE},
     kCustomPage, {}, &W::browseImage},
    {M::TemplateLink, {L"超级链接框7", K::Hyperlink, onPage({688, 65, 96, 24}), L"模板"}, kCustomPage, {},
     &W::openTemplateFolder},
    {M::HelpLink, {L"超级链接框4", K::Hyperlink, onPage({688, 83, 96, 24}), L"帮助"}, kCustomPage, {},
     &W::openHelpPage},
    {M::ApplyImages, {L"图形按钮15", K::PictureButton, onPage({688, 108, 107, 26}), L"", IDR_BUTTON_APPLY_IMAGES},
     kCustomPage, {}, &W::applyImages},
};

namespace {

// The files of one drop, handed back to the system whichever way the handler ends.
class DroppedFiles {
public:
    explicit DroppedFiles(HDROP drop) : m_drop(drop) {}
    ~DroppedFiles() { DragFinish(m_drop); }
    DroppedFiles(const DroppedFiles&) = delete;
    DroppedFiles& operator=(const DroppedFiles&) = delete;

    /// The dropped paths, each followed by CR LF.
    std::string lines() const {
        std::string text;
        UINT count = DragQueryFileW(m_drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            UINT length = DragQueryFileW(m_drop, i, nullptr, 0);
            std::wstring path(static_cast<std::size_t>(length) + 1, L'\0');
            DragQueryFileW(m_drop, i, path.data(), length + 1);
            path.resize(length);
            text += textFromWide(path) + "\r\n";
        }
        return text;
    }

private:
    HDROP m_drop;
};

std::string windowText(HWND control) {
    int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return textFromWide(text);
}

} // namespace

MainWindow::MainWindow(AppState& state, Win32Ui& ui, Win32View& view)
    : m_state(state), m_ui(ui), m_view(view), m_controls(m_look), m_library(state), m_import(state, m_library) {
    static_assert(rowsInControlOrder(kRows), "one row per MainControl, in its order");
}

bool MainWindow::create() {
    // Centred on the primary screen; without border or caption the window's rectangle is
    // its client area.
    int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    RECT place{left, top, left + kWidth, top + kHeight};
    DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
    DWORD exStyle = WS_EX_APPWINDOW;
    AdjustWindowRectEx(&place, style, FALSE, exStyle);
    WindowClass windowClass{L"LumivelMainWindow", IDI_LUMIVEL};
    return createWindow(windowClass, exStyle, style, L"Lumivel v1.0", place, nullptr);
}

void MainWindow::show(int showCommand) {
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
    m_preview.reveal();
}

bool MainWindow::handleWindowKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE || !hwnd())
        return false;
    if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd))
        return false;
    closeProgram();
    return true;
}

bool MainWindow::onCreate() {
    m_ui.setOwner(hwnd());
    for (std::size_t row = 0; row < std::size(kRows); ++row) {
        if (!m_controls.add(hwnd(), kRows[row].form, kFirstCommandId + static_cast<int>(row)))
            return false;
    }
    // The drag plate lies behind every other control, only the pages' area below it.
    SetWindowPos(control(M::DragPlate), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(control(M::Pages), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_controls.setSelected(rowOf(M::ThemePageTab), true);
    showPage(kThemePage);
    m_view.attach(*this);

    // Runs while the window is still hidden, so the Photoshop dialog comes first.
    restorePhotoshopPath(m_state);
    DragAcceptFiles(hwnd(), TRUE);
    attachTooltips();
    // Should the system refuse the layered windows, the program goes on without a preview,
    // as it does after the user closes it.
    (void)m_preview.create(hwnd());
    m_library.rebuildList();
    // A located installation greets the user with its current look ("[当前]", which the
    // rebuilt list has selected); otherwise the preview keeps its placeholder.
    if (m_state.isLocated() && files::exists(pathFromText(m_state.indexPath)))
        m_library.onSelectionChanged();
    return true;
}

void MainWindow::attachTooltips() {
    if (!m_tooltips.create(hwnd()))
        return;
    for (std::size_t row = 0; row < std::size(kRows); ++row) {
        if (!kRows[row].tooltip.empty())
            m_tooltips.add(m_controls.at(row), kRows[row].tooltip);
    }
}

void MainWindow::setControlShown(std::size_t row, bool shown) {
    ShowWindow(m_controls.at(row), shown ? SW_SHOWNA : SW_HIDE);
}

// Shows the controls of `page` and hides those of the other; on the theme page the
// selector shows its face or its list, and the badges only while a theme is shown.
void MainWindow::showPage(int page) {
    m_page = page;
    for (std::size_t row = 0; row < std::size(kRows); ++row) {
        if (kRows[row].page == kOnWindow)
            continue;
        bool shown = kRows[row].page == page;
        switch (kRows[row].id) {
        case M::Selector:
            shown = shown && m_selectorUnfolded;
            break;
        case M::SelectorFace:
        case M::SelectorText:
            shown = shown && !m_selectorUnfolded;
            break;
        case M::Badge1x:
        case M::Badge2x:
        case M::BadgeText:
            shown = shown && m_badgesVisible;
            break;
        default:
            break;
        }
        setControlShown(row, shown);
    }
    // The switch's transparent caption is painted anew over the page now shown.
    HWND caption = control(M::TextSwitchLabel);
    ShowWindow(caption, SW_HIDE);
    ShowWindow(caption, SW_SHOWNA);
    RedrawWindow(caption, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// A click has already flipped the button; its new state says which page comes.
void MainWindow::onThemePageTab() {
    bool themePage = m_controls.selected(rowOf(M::ThemePageTab));
    showPage(themePage ? kThemePage : kCustomPage);
    m_controls.setSelected(rowOf(M::CustomPageTab), !themePage);
}

void MainWindow::onCustomPageTab() {
    bool customPage = m_controls.selected(rowOf(M::CustomPageTab));
    showPage(customPage ? kCustomPage : kThemePage);
    m_controls.setSelected(rowOf(M::ThemePageTab), !customPage);
}

void MainWindow::setText(MainControl which, std::string_view text) {
    SetWindowTextW(control(which), wideFromText(text).c_str());
}

void MainWindow::setThemeEntries(const std::vector<std::string>& entries) {
    HWND selector = control(M::Selector);
    SendMessageW(selector, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries)
        SendMessageW(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromText(entry).c_str()));
}

void MainWindow::setSelectedThemeEntry(std::size_t position) {
    SendMessageW(control(M::Selector), CB_SETCURSEL, position, 0);
}

void MainWindow::setSelectorUnfolded(bool unfolded) {
    m_selectorUnfolded = unfolded;
    if (m_page != kThemePage)
        return;
    setControlShown(rowOf(M::Selector), unfolded);
    setControlShown(rowOf(M::SelectorFace), !unfolded);
    setControlShown(rowOf(M::SelectorText), !unfolded);
    if (unfolded) {
        SetFocus(control(M::Selector));
        SendMessageW(control(M::Selector), CB_SHOWDROPDOWN, TRUE, 0);
    }
}

void MainWindow::setBadgesVisible(bool visible) {
    m_badgesVisible = visible;
    if (m_page != kThemePage)
        return;
    for (MainControl badge : {M::Badge1x, M::Badge2x, M::BadgeText})
        setControlShown(rowOf(badge), visible);
}

void MainWindow::setBadges(ThemeBadges badges) {
    m_controls.setLit(rowOf(M::Badge1x), badges.has1x);
    m_controls.setLit(rowOf(M::Badge2x), badges.has2x);
    m_controls.setLit(rowOf(M::BadgeText), badges.hasText);
}

void MainWindow::setLink(ThemeLink link, std::string_view caption, std::string_view address) {
    bool author = link == ThemeLink::Author;
    (author ? m_authorAddress : m_referenceAddress) = address;
    HWND box = control(author ? M::AuthorLink : M::ReferenceLink);
    SetWindowTextW(box, wideFromText(caption).c_str());
    InvalidateRect(box, nullptr, FALSE);
}

void MainWindow::onCommand(int commandId, int notification, HWND from) {
    auto row = m_controls.rowOf(commandId);
    if (!row || m_controls.at(*row) != from)
        return;
    const Row& form = kRows[*row];
    if (form.id == M::Selector) {
        onSelectorNotification(notification);
        return;
    }
    // A quick second click arrives as a double click (BN_DOUBLECLICKED, STN_DBLCLK); it is a
    // click all the same.
    bool button = form.form.kind == K::PictureButton || form.form.kind == K::TwoStateButton;
    bool clicked = notification == BN_CLICKED || (button ? notification == BN_DOUBLECLICKED : notification == STN_DBLCLK);
    if (!clicked || form.form.kind == K::Badge)
        return;
    m_controls.noteClick(*row);
    m_clickedRow = *row;
    if (form.onClick)
        (this->*form.onClick)();
}

void MainWindow::onSelectorNotification(int notification) {
    if (notification == CBN_SELENDOK) {
        LRESULT picked = SendMessageW(control(M::Selector), CB_GETCURSEL, 0, 0);
        if (picked != CB_ERR)
            m_library.pickEntry(static_cast<std::size_t>(picked));
    } else if (notification == CBN_KILLFOCUS) {
        m_library.foldSelector();
    }
}

void MainWindow::onDropFiles(HDROP drop) {
    DroppedFiles dropped(drop);
    (void)m_import.onDrop(dropped.lines()); // each import has shown its own message
}

void MainWindow::locatePhotoshop() { (void)lumivel::locatePhotoshop(m_state); }

void MainWindow::takeTextSwitch() { onTextSwitchClicked(m_state, m_controls.selected(rowOf(M::TextSwitch))); }

void MainWindow::flipTextSwitch() { onTextLabelClicked(m_state); }

// Ends the program at once; nothing is saved.
void MainWindow::closeProgram() { DestroyWindow(hwnd()); }

// The preview and the backdrop are owned by the window, so they go with it.
void MainWindow::minimise() { ShowWindow(hwnd(), SW_MINIMIZE); }

void MainWindow::recreateBackup() {
    if (!m_state.isLocated())
        return;
    WaitCursor wait(m_ui);
    (void)BackupStore(Installation(m_state.photoshopRoot), m_ui).recreate(); // each failed step was shown
}

void MainWindow::selectPrevious() { m_library.selectPrevious(); }
void MainWindow::selectNext() { m_library.selectNext(); }
void MainWindow::unfoldSelector() { m_library.unfoldSelector(); }
void MainWindow::showThemeMenu() { m_library.showThemeMenu(m_import); }
void MainWindow::openTemplateFolder() { m_library.openTemplateFolder(); }
void MainWindow::openHelpPage() { m_ui.openAddress(kHelpAddress); }

void MainWindow::openAuthorLink() {
    if (!m_authorAddress.empty())
        m_ui.openAddress(m_authorAddress);
}

void MainWindow::openReferenceLink() {
    if (!m_referenceAddress.empty())
        m_ui.openAddress(m_referenceAddress);
}

void MainWindow::applyTheme() {
    std::string entry = m_library.selectedEntry();
    if (entry.empty())
        return;
    WaitCursor wait(m_ui);
    (void)applyLook(m_state, requestForEntry(m_state.themesRoot, entry, m_state.textHidden)); // shown already
}

void MainWindow::applyImages() {
    SlotImages images;
    for (std::size_t slot = 0; slot < kSlotControls.size(); ++slot) {
        for (std::size_t row = 0; row < std::size(kRows); ++row) {
            if (textFromWide(kRows[row].form.name) == kSlotControls[slot].editBox)
                images[slot] = windowText(m_controls.at(row));
        }
    }
    WaitCursor wait(m_ui);
    (void)applyLook(m_state, requestForImages(images, m_state.textHidden)); // shown already
}

// A browse button fills the path box just before it; a cancelled dialog keeps its text.
void MainWindow::browseImage() {
    std::string chosen = m_ui.chooseFile("PNG 图片|*.png", "", "选择图片");
    if (chosen != kNothingChosen)
        SetWindowTextW(m_controls.at(m_clickedRow - 1), wideFromText(chosen).c_str());
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (m_controls.handleParentMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_CREATE:
        return onCreate() ? 0 : -1;
    case WM_NCHITTEST: {
        // The background (and the labels, frames and picture boxes, which let presses
        // through) move the window like a caption bar; a press there therefore arrives as
        // WM_NCLBUTTONDOWN with HTCAPTION.
        LRESULT hit = Window::onMessage(message, wParam, lParam);
        return hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, m_look.backgroundBrush());
        return 1;
    }
    case WM_SETCURSOR:
        if (m_ui.waiting()) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DROPFILES:
        onDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_WINDOWPOSCHANGED: {
        // Dragged or placed: the backdrop's frame stays around the window.
        const auto& place = *reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!(place.flags & SWP_NOMOVE))
            m_preview.followMainWindow(place.x, place.y);
        break;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return Window::onMessage(message, wParam, lParam);
}

} // namespace lumivel
