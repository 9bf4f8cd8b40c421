#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CMenuData;

// How the body of a downloaded menu file becomes a menu, for the program and
// the maker's tool alike.

// A body of this many bytes or fewer is not parsed at all.
inline constexpr std::size_t kLargestIgnoredBody = 20;

// Whether the body starts with the UTF-8 byte-order mark.
bool StartsWithByteOrderMark(std::string_view body);

// The text the parser reads: a body with the byte-order mark is UTF-8, taken
// without the mark and converted to the ANSI code page by the platform
// (characters the code page lacks become '?'); any other body is used byte
// for byte.
std::string MenuTextOfBody(std::string_view body);

// Fills menu (a new one, which the caller discards unless the result is 0)
// from the body as an update does while the program holds menu number held. Returns the update's
// result code: 0 (new menu), 1 (same number), 2 (other format) or 4 (too little data, fewer than
// six lines, or a menu without entries, which would leave nothing to open).
int ParseDownloadedText(CMenuData& menu, std::uint16_t held, std::string_view body);
