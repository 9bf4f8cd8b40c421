#pragma once

#include "menu/MenuPopUp.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// The rules of the menu definition text that the parser and the maker's tool
// share.

// Splits at line feeds; bytes after the last line feed are dropped. Each line
// is cut at its first NUL and trimmed of spaces and \t \n \v \f \r at both ends.
// The views point into text.
MenuLines SplitMenuLines(const char* text, std::size_t length);

// The whitespace the lines are trimmed of.
bool IsMenuSpace(char c);

// A header line read by the C library's atoi rule: optional sign, decimal
// digits, the rest ignored; no digits read as 0.
struct HeaderNumber {
    bool isOne;               // the value is exactly 1
    std::uint16_t lowBits;    // the value modulo 65536
};
HeaderNumber ReadHeaderNumber(std::string_view line);

enum class BodyLine { End, Begin, Divider, Site, Skipped };

// What a trimmed body line does, tested in the parser's order: a block end,
// a sub-menu opening, a divider, a site (holds a TAB), or a line that is
// skipped.
BodyLine ClassifyBodyLine(std::string_view line);

// The caption of a BEGIN line: the text from its 7th byte on.
std::string_view BlockCaption(std::string_view line);
