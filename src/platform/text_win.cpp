#include "platform/text.h"

#include <windows.h>

namespace lumivel {

std::optional<std::string> gbkToUtf8(std::string_view gbk) {
    if (gbk.empty())
        return std::string();
    int units = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    if (units <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, gbk.data(), static_cast<int>(gbk.size()), wide.data(), units);
    return utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

} // namespace lumivel
