// Text encodings. The program's texts are UTF-8 std::string; paths are std::filesystem::path
// (UTF-16 on Windows). Files written by Windows tools may come as UTF-16LE, UTF-8 or GBK.
#pragma once

#include "platform/bytes.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumivel {

std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);
bool isValidUtf8(std::string_view bytes);

/// Decodes code page 936 (GBK) text; nothing when the bytes are not valid GBK.
std::optional<std::string> gbkToUtf8(std::string_view gbk);

/// Decodes a text file whatever Windows tool saved it: UTF-16LE with BOM, UTF-8 with
/// or without BOM, otherwise GBK (bytes GBK cannot decode either are kept as they are).
std::string decodeTextFile(ByteView bytes);

/// UTF-16LE bytes without a byte-order mark, as the lines of Photoshop's dictionary are.
Bytes encodeUtf16LE(std::string_view utf8);

/// UTF-16LE bytes with a byte-order mark, the form Windows' profile functions read as Unicode.
Bytes encodeUtf16LEWithBom(std::string_view utf8);

std::filesystem::path pathFromText(std::string_view utf8);
std::string textFromPath(const std::filesystem::path& path);

/// ASCII-only case folding, as used for INI section and key names and for file names.
std::string asciiLower(std::string_view text);
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace lumivel
