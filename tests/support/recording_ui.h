// Recording fakes of the Ui and View seams: they answer file dialogs from a script and
// keep everything shown, so tests can assert on exact texts and captions.
#pragma once

#include "platform/ui.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace lumivel::testing {

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
    bool operator==(const ShownMessage&) const = default;
};

struct FileDialogCall {
    std::string filter;
    std::string initialFolder;
    std::string title;
    bool operator==(const FileDialogCall&) const = default;
};

class RecordingUi : public Ui {
public:
    void showMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    std::string chooseFile(std::string_view filter, std::string_view initialFolder, std::string_view title) override;
    void beginWaitCursor() override;
    void endWaitCursor() override;

    /// The next answers of the file dialog, in order; "失败" once they run out.
    std::deque<std::string> fileAnswers;

    std::vector<ShownMessage> messages;
    std::vector<FileDialogCall> fileDialogs;
    int waitCursorDepth = 0;
    int waitCursorShown = 0;
};

class RecordingView : public View {
public:
    void setPathText(std::string_view text) override { pathText = text; ++pathTextWrites; }
    void setDescription(std::string_view text) override { description = text; }
    void setDarkIcon(ByteView png) override { darkIcon.assign(png.begin(), png.end()); }
    void setLightIcon(ByteView png) override { lightIcon.assign(png.begin(), png.end()); }
    void setTextHiddenSwitch(bool selected) override { textHiddenSwitch = selected; }
    void showSplash(ByteView png) override { splash.assign(png.begin(), png.end()); }
    void showTextLayer(bool textHidden) override { textLayerHidden = textHidden; }
    void refreshPreview() override { ++refreshes; }
    std::string selectedThemeEntry() const override { return themeEntry; }
    std::string customImageText(std::size_t slotIndex) const override;

    std::string pathText;
    int pathTextWrites = 0;
    std::string description;
    Bytes darkIcon, lightIcon, splash;
    bool textHiddenSwitch = false;
    bool textLayerHidden = false;
    int refreshes = 0;

    std::string themeEntry;
    std::map<std::size_t, std::string> customImages;
};

} // namespace lumivel::testing
