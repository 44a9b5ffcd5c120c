// The Windows program's side of the Ui and View seams: message boxes, the file dialog and
// the wait cursor, and the controls of the main window that the core writes to.
#pragma once

#include "platform/ui.h"

#include <windows.h>

#include <string>

namespace lumivel {

class MainWindow;

class Win32Ui : public Ui {
public:
    /// The window that owns the message boxes and dialogs (the main window, hidden or not).
    void setOwner(HWND owner) { m_owner = owner; }

    void showMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    std::string chooseFile(std::string_view filter, std::string_view initialFolder, std::string_view title) override;
    void beginWaitCursor() override;
    void endWaitCursor() override;

    /// Whether an operation runs under the wait cursor; the window keeps showing it then.
    bool waiting() const { return m_waitDepth > 0; }

private:
    HWND m_owner = nullptr;
    int m_waitDepth = 0;
    HCURSOR m_cursorBefore = nullptr;
};

class Win32View : public View {
public:
    /// The window whose controls show what the core gives; before it is attached the
    /// texts are only kept.
    void attach(const MainWindow& window) { m_window = &window; }

    void setPathText(std::string_view text) override;

    // The description, icons, switch and preview have no controls yet: these keep what
    // they are given, and draw nothing.
    void setDescription(std::string_view text) override { m_description = text; }
    void setDarkIcon(ByteView png) override { m_darkIcon.assign(png.begin(), png.end()); }
    void setLightIcon(ByteView png) override { m_lightIcon.assign(png.begin(), png.end()); }
    void setTextHiddenSwitch(bool selected) override { m_textHiddenSwitch = selected; }
    void showSplash(ByteView png) override { m_splash.assign(png.begin(), png.end()); }
    void showTextLayer(bool textHidden) override { m_textLayerHidden = textHidden; }
    void refreshPreview() override {}
    // Neither the theme selector nor the custom page exists yet: nothing is selected or typed.
    std::string selectedThemeEntry() const override { return {}; }
    std::string customImageText(std::size_t) const override { return {}; }

private:
    const MainWindow* m_window = nullptr;
    std::string m_pathText;
    std::string m_description;
    Bytes m_darkIcon, m_lightIcon, m_splash;
    bool m_textHiddenSwitch = false;
    bool m_textLayerHidden = false;
};

} // namespace lumivel
