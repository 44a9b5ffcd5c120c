// UTF-16 texts for the Windows API, converted from and to the program's UTF-8 texts.
#pragma once

#include "platform/text.h"

#include <string>
#include <string_view>

namespace lumivel {

/// The UTF-16 form of a UTF-8 text, as the "W" functions of Windows take it.
inline std::wstring wideFromText(std::string_view utf8) {
    std::u16string utf16 = utf8ToUtf16(utf8);
    return std::wstring(utf16.begin(), utf16.end());
}

/// The UTF-8 form of a UTF-16 text that Windows gave.
inline std::string textFromWide(std::wstring_view wide) {
    return utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

} // namespace lumivel
