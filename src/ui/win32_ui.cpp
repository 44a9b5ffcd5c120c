#include "ui/win32_ui.h"

#include "ui/file_dialog.h"
#include "ui/main_window.h"
#include "ui/wide_text.h"

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

} // namespace lumivel
