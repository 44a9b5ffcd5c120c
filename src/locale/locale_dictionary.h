// Photoshop's Simplified Chinese dictionary, Locales\zh_CN\Support Files\tw10428.dat, whose
// splash and credits entries carry the startup text. Handled as bytes, never decoded.
#pragma once

#include "installation/installation.h"
#include "platform/result.h"

#include <string_view>

namespace lumivel {

class Ui;

class LocaleDictionary {
public:
    LocaleDictionary(const Installation& installation, Ui& ui);

    /// Puts Photoshop's own text back from the backup copy and checks that it holds no block.
    /// Shows each failure; gives back the last one.
    Result<void> restoreDefault();

    /// Puts Photoshop's own text back and appends one custom block: the hidden-text block
    /// when `textFile` is empty, else the bytes of that file. When the text cannot be put
    /// back the block follows the live file's text; when that cannot be read either, nothing
    /// is written and the user is told. Gives back the failure that left the block unwritten,
    /// or else the failed putting back.
    Result<void> writeCustomText(std::string_view textFile);

    /// Whether the live dictionary holds Lumivel's opening marker line.
    bool hasCustomBlock() const;

private:
    /// Shows that the block was not written (`what` followed by the dictionary's path) and gives it back.
    Error notWritten(std::string_view what);
    /// Copies the backup copy over the live dictionary; reports a failure and gives it back.
    Result<void> putTextBack();

    Installation m_installation;
    Ui& m_ui;
};

} // namespace lumivel
