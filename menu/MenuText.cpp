#include "menu/MenuText.h"

#include <cstring>

bool IsMenuSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

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

const char* MenuLineReader::FindFeed(const char* start) const {
    if (start == m_end)
        return nullptr;
    return static_cast<const char*>(
        std::memchr(start, '\n', static_cast<std::size_t>(m_end - start)));
}

bool MenuLineReader::Next(std::string_view& line) {
    const char* const feed = FindFeed(m_next);
    if (feed == nullptr)
        return false;
    const char* const lineEnd = m_nul < feed ? m_nul : feed;
    line = Trim(std::string_view(m_next, static_cast<std::size_t>(lineEnd - m_next)));
    m_next = feed + 1;
    if (m_nul < m_next)
        m_nul = FindNul(m_next);
    return true;
}

const char* MenuLineReader::FindNul(const char* start) const {
    if (start == m_end)
        return m_end;
    const void* const nul = std::memchr(start, '\0', static_cast<std::size_t>(m_end - start));
    return nul == nullptr ? m_end : static_cast<const char*>(nul);
}

bool MenuLineReader::HasLines(std::size_t count) const {
    const char* next = m_next;
    for (; count > 0; --count) {
        const char* const feed = FindFeed(next);
        if (feed == nullptr)
            return false;
        next = feed + 1;
    }
    return true;
}

MenuLines SplitMenuLines(const char* text, std::size_t length) {
    MenuLines lines;
    MenuLineReader reader(text, length);
    for (std::string_view line; reader.Next(line);)
        lines.push_back(line);
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
