// The command line's Ui and View: messages are printed as "caption: text", the file
// chooser never opens (it answers "失败"), and the preview keeps what it was given so
// commands can write it out.
#pragma once

#include "platform/stored_view.h"
#include "platform/ui.h"

#include <deque>
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

private:
    std::ostream& m_out;
};

} // namespace lumivel::cli
