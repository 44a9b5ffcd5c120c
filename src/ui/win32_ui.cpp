#include "ui/win32_ui.h"

#include "platform/text.h"
#include "ui/file_dialog.h"
#include "ui/main_window.h"
#include "ui/wide_text.h"

#include <shellapi.h>

#include <memory>

namespace lumivel {

void Win32Ui::showMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    std::wstring body = wideFromText(text);
    std::wstring title = wideFromText(caption.empty() ? kDefaultCaption : caption);
    UINT style = MB_OK | (icon == MessageIcon::Error ? MB_ICONERROR : 0);
    MessageBoxW(m_owner, body.c_str(), title.c_str(), style);
}

std::string Win32Ui::chooseFile(std::string_view filter, std::string_view initialFolder, std::string_view title) {
    return FileDialog::chooseFile(m_owner, filter, initialFolder, title);
}

void Win32Ui::beginWaitCursor() {
    if (m_waitDepth++ == 0)
        m_cursorBefore = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void Win32Ui::endWaitCursor() {
    if (m_waitDepth > 0 && --m_waitDepth == 0)
        SetCursor(m_cursorBefore ? m_cursorBefore : LoadCursorW(nullptr, IDC_ARROW));
}

std::optional<std::size_t> Win32Ui::chooseMenuItem(std::string_view, std::span<const std::string_view> items) {
    struct MenuDestroyer {
        void operator()(HMENU menu) const { DestroyMenu(menu); }
    };
    std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer> menu(CreatePopupMenu());
    if (!menu)
        return std::nullopt;
    // Command identifiers are the item's position + 1: TrackPopupMenu answers 0 for none.
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].empty()) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring text = wideFromText(items[i]);
        AppendMenuW(menu.get(), MF_STRING, i + 1, text.c_str());
    }
    POINT at{};
    GetCursorPos(&at);
    // The owner must be in the foreground, or the menu does not close on a click elsewhere.
    if (m_owner)
        SetForegroundWindow(m_owner);
    UINT chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y,
                                 0, m_owner, nullptr);
    if (chosen == 0 || chosen > items.size())
        return std::nullopt;
    return chosen - 1;
}

void Win32Ui::exploreFolder(const std::filesystem::path& folder) {
    ShellExecuteW(m_owner, L"explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Ui::openAddress(std::string_view address) {
    std::wstring wide = wideFromText(address);
    ShellExecuteW(m_owner, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

Result<void> Win32Ui::copyFolder(const std::filesystem::path& folder, const std::filesystem::path& destination) {
    // Both lists end in two zero characters.
    std::wstring from = folder.wstring();
    from.append(2, L'\0');
    std::wstring to = destination.wstring();
    to.append(2, L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = m_owner;
    operation.wFunc = FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    int result = SHFileOperationW(&operation);
    if (result != 0 || operation.fAnyOperationsAborted)
        return Error{"无法复制文件夹：" + textFromPath(folder)};
    return {};
}

void Win32View::setPathText(std::string_view text) {
    StoredView::setPathText(text);
    if (m_window) {
        std::wstring shown = wideFromText(pathText);
        SetWindowTextW(m_window->control(MainControl::PathBox), shown.c_str());
    }
}

void Win32View::setDarkIcon(ByteView png) {
    StoredView::setDarkIcon(png);
    if (m_window)
        m_window->setPicture(MainControl::DarkIcon, png);
}

void Win32View::setLightIcon(ByteView png) {
    StoredView::setLightIcon(png);
    if (m_window)
        m_window->setPicture(MainControl::LightIcon, png);
}

void Win32View::setTextHiddenSwitch(bool selected) {
    StoredView::setTextHiddenSwitch(selected);
    if (m_window)
        m_window->setSelected(MainControl::TextSwitch, selected);
}

void Win32View::showSplash(ByteView png) {
    StoredView::showSplash(png);
    if (m_window)
        m_window->preview().showSplash(png);
}

void Win32View::showTextLayer(bool textHidden) {
    StoredView::showTextLayer(textHidden);
    if (m_window)
        m_window->preview().showTextLayer(textHidden);
}

void Win32View::refreshPreview() {
    StoredView::refreshPreview();
    if (m_window)
        m_window->preview().refresh();
}

void Win32View::setDescription(std::string_view text) {
    StoredView::setDescription(text);
    if (m_window)
        m_window->setText(MainControl::Description, text);
}

void Win32View::setThemeEntries(const std::vector<std::string>& entries) {
    StoredView::setThemeEntries(entries);
    if (m_window)
        m_window->setThemeEntries(entries);
}

void Win32View::setSelectedThemeEntry(std::size_t position) {
    StoredView::setSelectedThemeEntry(position);
    if (m_window)
        m_window->setSelectedThemeEntry(position);
}

void Win32View::setSelectorFaceText(std::string_view text) {
    StoredView::setSelectorFaceText(text);
    if (m_window) {
        m_window->setText(MainControl::SelectorText, text);
        InvalidateRect(m_window->control(MainControl::SelectorText), nullptr, FALSE);
    }
}

void Win32View::setSelectorUnfolded(bool unfolded) {
    StoredView::setSelectorUnfolded(unfolded);
    if (m_window)
        m_window->setSelectorUnfolded(unfolded);
}

void Win32View::setBadgesVisible(bool visible) {
    StoredView::setBadgesVisible(visible);
    if (m_window)
        m_window->setBadgesVisible(visible);
}

void Win32View::setBadges(ThemeBadges lit) {
    StoredView::setBadges(lit);
    if (m_window)
        m_window->setBadges(lit);
}

void Win32View::setLink(ThemeLink link, std::string_view caption, std::string_view address) {
    StoredView::setLink(link, caption, address);
    if (m_window)
        m_window->setLink(link, caption, address);
}

} // namespace lumivel
