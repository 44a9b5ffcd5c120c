#include "platform/ini.h"

#include "platform/files.h"
#include "platform/text.h"

#include <optional>

namespace lumivel {

namespace {

std::string_view trimmed(std::string_view s) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// "[name]" gives the name; other lines give nothing.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimmed(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    auto close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> keyValue(std::string_view line) {
    auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    std::string_view key = trimmed(line.substr(0, equals));
    if (key.empty() || key.front() == ';')
        return std::nullopt;
    std::string_view value = trimmed(line.substr(equals + 1));
    // The profile functions drop one pair of surrounding quotes.
    if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') || (value.front() == '\'' && value.back() == '\'')))
        value = value.substr(1, value.size() - 2);
    return KeyValue{key, value};
}

} // namespace

IniDocument IniDocument::parse(std::string_view text) {
    IniDocument doc;
    while (!text.empty()) {
        auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        doc.m_lines.push_back({std::string(line)});
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return doc;
}

IniDocument IniDocument::load(const std::filesystem::path& path) {
    return parse(decodeTextFile(files::readFileOrEmpty(path)));
}

std::string IniDocument::value(std::string_view section, std::string_view key, std::string_view fallback) const {
    bool inSection = false;
    bool sectionSeen = false;
    for (const Line& line : m_lines) {
        if (auto name = sectionName(line.text)) {
            if (sectionSeen && inSection)
                break;
            inSection = equalsIgnoringAsciiCase(*name, section);
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        if (!inSection)
            continue;
        if (auto kv = keyValue(line.text); kv && equalsIgnoringAsciiCase(kv->key, key))
            return std::string(kv->value);
    }
    return std::string(fallback);
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    std::string newLine = std::string(key) + "=" + std::string(value);
    std::optional<std::size_t> sectionEnd;
    bool inSection = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (auto name = sectionName(m_lines[i].text)) {
            if (inSection)
                break;
            inSection = equalsIgnoringAsciiCase(*name, section);
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (auto kv = keyValue(m_lines[i].text); kv && equalsIgnoringAsciiCase(kv->key, key)) {
            m_lines[i].text = newLine;
            return;
        }
        if (!trimmed(m_lines[i].text).empty())
            sectionEnd = i + 1;
    }
    if (sectionEnd) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), Line{newLine});
        return;
    }
    m_lines.push_back({"[" + std::string(section) + "]"});
    m_lines.push_back({newLine});
}

std::string IniDocument::toText() const {
    std::string text;
    for (const Line& line : m_lines)
        text += line.text + "\r\n";
    return text;
}

Result<void> IniDocument::save(const std::filesystem::path& path) const {
    return files::writeFileAtomic(path, encodeUtf16LEWithBom(toText()));
}

} // namespace lumivel
