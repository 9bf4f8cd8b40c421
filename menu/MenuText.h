#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The rules of the menu definition text that the parser and the maker's tool
// share.

// Reads the lines of a text one at a time, copying nothing. A line ends at a
// line feed; bytes after the last line feed are no line. Each line is cut at
// its first NUL and trimmed of spaces and \t \n \v \f \r at both ends. The
// views point into the text, which must outlive them.
class MenuLineReader {
public:
    MenuLineReader(const char* text, std::size_t length)
        : m_next(text), m_end(text + length), m_nul(FindNul(text)) {}

    // The next line in line; false, with line left as it was, when no whole
    // line is left.
    bool Next(std::string_view& line);

    // True when at least count more lines are left.
    bool HasLines(std::size_t count) const;

private:
    // The first line feed from start on; null when there is none.
    const char* FindFeed(const char* start) const;
    // The first NUL from start on, or the end.
    const char* FindNul(const char* start) const;

    const char* m_next;
    const char* m_end;
    // The next NUL, found once per NUL rather than once per line.
    const char* m_nul;
};

using MenuLines = std::vector<std::string_view>;

// Every line of a text as the reader gives them, for readers that need to
// look back.
MenuLines SplitMenuLines(const char* text, std::size_t length);

// The whitespace the lines are trimmed of.
bool IsMenuSpace(char c);

// A header line read by the C library's atoi rule: optional sign, decimal
// digits, the rest ignored; no digits read as 0.
struct HeaderNumber {
    bool isOne;            // the value is exactly 1
    std::uint16_t lowBits; // the value modulo 65536
};
HeaderNumber ReadHeaderNumber(std::string_view line);

enum class BodyLine { End, Begin, Divider, Site, Skipped };

// What a trimmed body line does, tested in the parser's order: a block end,
// a sub-menu opening, a divider, a site (holds a TAB), or a line that is
// skipped.
BodyLine ClassifyBodyLine(std::string_view line);

// The caption of a BEGIN line: the text from its 7th byte on.
std::string_view BlockCaption(std::string_view line);
