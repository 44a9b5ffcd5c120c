// Recording fakes of the Ui and View seams: they answer file dialogs from a script and
// keep everything shown, so tests can assert on exact texts and captions.
#pragma once

#include "platform/stored_view.h"
#include "platform/ui.h"

#include <deque>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace lumivel::testing {

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
    bool operator==(const ShownMessage&) const = default;
};

inline void PrintTo(const ShownMessage& m, std::ostream* os) { *os << m.caption << ": " << m.text; }

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
    std::optional<std::size_t> chooseMenuItem(std::string_view menuName, std::span<const std::string_view> items) override;
    void exploreFolder(const std::filesystem::path& folder) override { exploredFolders.push_back(folder); }
    void openAddress(std::string_view address) override { openedAddresses.emplace_back(address); }
    /// Copies plainly, as the command line does, unless `refuseCopies` stands for a user
    /// who declines the shell's question.
    Result<void> copyFolder(const std::filesystem::path& folder, const std::filesystem::path& destination) override;

    /// The next answers of the file dialog, in order; "失败" once they run out.
    std::deque<std::string> fileAnswers;

    /// The item the next menus answer with, in order; dismissed once they run out.
    std::deque<std::size_t> menuAnswers;
    bool refuseCopies = false;

    std::vector<ShownMessage> messages;
    std::vector<std::string> menus;
    std::vector<std::filesystem::path> exploredFolders;
    std::vector<std::string> openedAddresses;
    int copies = 0;
    std::vector<FileDialogCall> fileDialogs;
    int waitCursorDepth = 0;
    int waitCursorShown = 0;
};

/// Keeps everything shown, and counts how often the path box was written.
class RecordingView : public StoredView {
public:
    void setPathText(std::string_view text) override {
        StoredView::setPathText(text);
        ++pathTextWrites;
    }

    int pathTextWrites = 0;
};

} // namespace lumivel::testing
