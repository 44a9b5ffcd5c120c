#include "support/recording_ui.h"

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


} // namespace lumivel::testing
