#include "menu/MenuText.h"

#include <cstring>

bool IsMenuSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

namespace {

std::string_view Trim(std::string_view line) {
    std::size_t begin = 0;
    while (begin < line.size() && IsMenuSpace(line[begin]))
        ++begin;
    std::size_t end = line.size();
    while (end > begin && IsMenuSpace(line[end - 1]))
        --end;
    return line.substr(begin, end - begin);
}

} // namespace

MenuLines SplitMenuLines(const char* text, std::size_t length) {
    MenuLines lines;
    const char* const end = text + length;
    const char* start = text;
    while (start < end) {
        const char* feed = static_cast<const char*>(std::memchr(start, '\n', end - start));
        if (feed == nullptr)
            break;
        std::string_view line(start, feed - start);
        const std::size_t nul = line.find('\0');
        if (nul != std::string_view::npos)
            line = line.substr(0, nul);
        lines.push_back(Trim(line));
        start = feed + 1;
    }
    return lines;
}

HeaderNumber ReadHeaderNumber(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && IsMenuSpace(line[i]))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-'))
        negative = line[i++] == '-';
    // The low 16 bits are exact however long the number is; the magnitude is
    // only needed to tell whether it is 1, so it may stop growing early.
    std::uint32_t low = 0;
    std::uint32_t magnitude = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        const unsigned digit = static_cast<unsigned>(line[i] - '0');
        low = (low * 10 + digit) & 0xFFFFu;
        magnitude = magnitude > 1 ? 2 : magnitude * 10 + digit;
    }
    if (negative)
        low = (0x10000u - low) & 0xFFFFu;
    return {!negative && magnitude == 1, static_cast<std::uint16_t>(low)};
}

BodyLine ClassifyBodyLine(std::string_view line) {
    if (line.substr(0, 3) == "END")
        return BodyLine::End;
    if (line.substr(0, 5) == "BEGIN")
        return BodyLine::Begin;
    if (!line.empty() && line[0] == '-')
        return BodyLine::Divider;
    if (line.find('\t') != std::string_view::npos)
        return BodyLine::Site;
    return BodyLine::Skipped;
}

std::string_view BlockCaption(std::string_view line) {
    return line.size() > 6 ? line.substr(6) : std::string_view();
}
