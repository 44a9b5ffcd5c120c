// INI files read the way Windows' private-profile functions read them: section and key
// names without regard to case, blanks around names and values trimmed, and a missing
// file, section or key giving the default.
#pragma once

#include "platform/result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumivel {

class IniDocument {
public:
    /// Parses decoded text; lines may end in CR LF or LF.
    static IniDocument parse(std::string_view text);

    /// Reads and decodes a file (UTF-16LE, UTF-8 or GBK); missing or unreadable reads as empty.
    static IniDocument load(const std::filesystem::path& path);

    /// The first value of `key` in the first section named `section`, or `fallback`.
    std::string value(std::string_view section, std::string_view key, std::string_view fallback = "") const;

    /// Sets a key, adding the section or key when missing; other lines stay as they were.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    /// The document as text with CR LF line ends.
    std::string toText() const;

    /// Writes the document as UTF-16LE with a byte-order mark, replacing the file in one step.
    Result<void> save(const std::filesystem::path& path) const;

private:
    struct Line {
        std::string text;
    };
    std::vector<Line> m_lines;
};

} // namespace lumivel
