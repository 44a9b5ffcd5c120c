// The command line's Ui and View: messages are printed as "caption: text", the file
// chooser never opens (it answers "失败"), and the preview keeps what it was given so
// commands can write it out.
#pragma once

#include "platform/ui.h"

#include <deque>
#include <map>
#include <ostream>
#include <string>

namespace lumivel::cli {

class CliUi : public Ui {
public:
    explicit CliUi(std::ostream& out) : m_out(out) {}

    void showMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    std::string chooseFile(std::string_view filter, std::string_view initialFolder, std::string_view title) override;
    void beginWaitCursor() override {}
    void endWaitCursor() override {}

    /// Answers the file chooser gives, in order, before it falls back to "失败".
    std::deque<std::string> fileAnswers;

    /// Whether an error message (error icon or caption "错误") was shown.
    bool failureShown() const { return m_failureShown; }

private:
    std::ostream& m_out;
    bool m_failureShown = false;
};

class CliView : public View {
public:
    void setPathText(std::string_view text) override { pathText = text; }
    void setDescription(std::string_view text) override { description = text; }
    void setDarkIcon(ByteView png) override { darkIcon.assign(png.begin(), png.end()); }
    void setLightIcon(ByteView png) override { lightIcon.assign(png.begin(), png.end()); }
    void setTextHiddenSwitch(bool selected) override { textHiddenSwitch = selected; }
    void showSplash(ByteView png) override { splash.assign(png.begin(), png.end()); }
    void showTextLayer(bool textHidden) override { textLayerHidden = textHidden; }
    void refreshPreview() override {}
    std::string selectedThemeEntry() const override { return themeEntry; }
    std::string customImageText(std::size_t slotIndex) const override;

    std::string pathText;
    std::string description;
    Bytes splash, darkIcon, lightIcon;
    bool textHiddenSwitch = false;
    bool textLayerHidden = false;

    /// Set by commands that act as if an entry or custom images had been chosen.
    std::string themeEntry;
    std::map<std::size_t, std::string> customImages;
};

} // namespace lumivel::cli
