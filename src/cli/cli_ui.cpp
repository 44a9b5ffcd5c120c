#include "cli/cli_ui.h"

namespace lumivel::cli {

void CliUi::showMessage(std::string_view text, std::string_view caption, MessageIcon) {
    std::string_view shownCaption = caption.empty() ? kDefaultCaption : caption;
    std::string body(text);
    // One message per line block: CR LF inside a message becomes a plain line break.
    for (std::size_t at = body.find("\r\n"); at != std::string::npos; at = body.find("\r\n", at))
        body.erase(at, 1);
    m_out << shownCaption << ": " << body << "\n";
    m_out.flush();
}

std::string CliUi::chooseFile(std::string_view, std::string_view, std::string_view) {
    if (fileAnswers.empty())
        return std::string(kNothingChosen);
    std::string answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}


} // namespace lumivel::cli
