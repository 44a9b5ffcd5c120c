#include "support/recording_ui.h"

#include "platform/folder_copy.h"

namespace lumivel::testing {

void RecordingUi::showMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    messages.push_back({std::string(text), caption.empty() ? std::string(kDefaultCaption) : std::string(caption), icon});
}

std::string RecordingUi::chooseFile(std::string_view filter, std::string_view initialFolder, std::string_view title) {
    fileDialogs.push_back({std::string(filter), std::string(initialFolder), std::string(title)});
    if (fileAnswers.empty())
        return std::string(kNothingChosen);
    std::string answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

void RecordingUi::beginWaitCursor() {
    ++waitCursorDepth;
    ++waitCursorShown;
}

void RecordingUi::endWaitCursor() { --waitCursorDepth; }

std::optional<std::size_t> RecordingUi::chooseMenuItem(std::string_view menuName, std::span<const std::string_view> items) {
    std::string shown(menuName);
    for (std::string_view item : items)
        shown += "|" + std::string(item);
    menus.push_back(shown);
    if (menuAnswers.empty())
        return std::nullopt;
    std::size_t answer = menuAnswers.front();
    menuAnswers.pop_front();
    return answer;
}

Result<void> RecordingUi::copyFolder(const std::filesystem::path& folder, const std::filesystem::path& destination) {
    ++copies;
    if (refuseCopies)
        return Error{"复制被取消"};
    return files::copyFolderInto(folder, destination);
}

} // namespace lumivel::testing
