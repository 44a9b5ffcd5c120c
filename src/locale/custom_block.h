// The custom block Lumivel appends to Photoshop's dictionary: an opening marker line, a
// body of UTF-16LE dictionary lines and a closing marker line. Every part is built as
// bytes; nothing of the dictionary is ever decoded.
#pragma once

#include "platform/bytes.h"

#include <string_view>
#include <vector>

namespace lumivel {

/// ASCII text as UTF-16LE bytes, without a byte-order mark.
Bytes utf16LEFromAscii(std::string_view ascii);

/// CR LF, "//Lumivel v1.0---", CR LF.
Bytes customBlockOpening();

/// CR LF, CR LF, "//Lumivel_End---" with no line end after it.
Bytes customBlockClosing();

/// The 34 bytes whose presence tells that a dictionary holds a custom block.
Bytes customBlockMarker();

/// Whether the dictionary bytes hold the opening marker line, at any position.
bool holdsCustomBlock(ByteView dictionary);

/// The keys of every `"$$$/private/Credits/RotatingNames/...=` line of a dictionary, as the
/// UTF-16LE bytes from "$$$/" up to the '=', distinct and sorted by code unit.
std::vector<Bytes> rotatingNameKeys(ByteView dictionary);

/// The thirteen rotating-name keys hidden when a dictionary names none of its own.
std::vector<Bytes> fallbackRotatingNameKeys();

/// The whole hidden-text block: opening, the key lines with empty values in four groups
/// (credits heading, generated credit lines, `rotatingNames`, splash status lines), closing.
Bytes hiddenTextBlock(const std::vector<Bytes>& rotatingNames);

/// A block whose body is a theme's text file, taken byte for byte.
Bytes themeTextBlock(ByteView body);

} // namespace lumivel
