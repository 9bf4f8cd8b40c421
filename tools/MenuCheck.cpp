#include "tools/MenuCheck.h"

#include "app/Version.h"
#include "menu/MenuText.h"
#include "tools/MenuTextLimits.h"
#include "tools/QuotedString.h"

#include <algorithm>
#include <cstring>

namespace {

class Findings {
public:
    void Loss(std::size_t line, std::string text) {
        m_list.push_back({line, true, std::move(text)});
    }
    void Note(std::size_t line, std::string text) {
        m_list.push_back({line, false, std::move(text)});
    }

    std::vector<CheckFinding> TakeInLineOrder() {
        std::stable_sort(
            m_list.begin(), m_list.end(),
            [](const CheckFinding& a, const CheckFinding& b) { return a.line < b.line; });
        return std::move(m_list);
    }

private:
    std::vector<CheckFinding> m_list;
};

std::size_t LineOfOffset(const char* data, std::size_t offset) {
    return 1 + static_cast<std::size_t>(std::count(data, data + offset, '\n'));
}

bool HoldsText(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return !IsMenuSpace(c); });
}

// What is decided on the raw bytes, before lines are trimmed: line lengths,
// NUL bytes, and a last line without its line feed. cutShort says that the
// read part ends inside the file, whose truncation is reported on its own.
void CheckRawLines(const char* data, std::size_t length, bool cutShort, Findings& findings) {
    const char* const end = data + length;
    const char* start = data;
    std::size_t line = 1;
    for (;; ++line) {
        const char* feed = static_cast<const char*>(std::memchr(start, '\n', end - start));
        if (feed == nullptr)
            break;
        const std::string_view raw(start, feed - start);
        if (raw.size() > kMaxLineBytes)
            findings.Note(line, "line is " + std::to_string(raw.size()) +
                                    " bytes long; the format allows 255 (a CR before the line "
                                    "feed counts), though the program keeps it whole");
        if (raw.find('\0') != std::string_view::npos)
            findings.Loss(line, "line holds a NUL byte; the program ignores the rest of the line");
        start = feed + 1;
    }
    if (!cutShort && HoldsText(std::string_view(start, end - start)))
        findings.Loss(line, "last line has no line feed; the program drops it");
}

// The first three lines and the root's opening line. False when the program
// would load nothing at all, so that the body does not matter.
bool CheckHeader(const MenuLines& lines, Findings& findings) {
    if (lines.size() < kMinMenuLines) {
        findings.Loss(1, "the text has " + std::to_string(lines.size()) +
                             " lines; the program needs at least 6 and loads nothing");
        return false;
    }
    if (!ReadHeaderNumber(lines[0]).isOne) {
        findings.Loss(1, "format number " + QuoteBytes(lines[0]) +
                             " does not read as 1; the program loads nothing");
        return false;
    }
    if (lines[1] != kApplicationVersion)
        findings.Note(2, "version " + QuoteBytes(lines[1]) + " is not \"" +
                             std::string(kApplicationVersion) +
                             "\"; users will be told to download a new version");
    if (ReadHeaderNumber(lines[2]).lowBits == 0)
        findings.Loss(3, "menu number " + QuoteBytes(lines[2]) +
                             " reads as 0, the number of no menu: a program that holds no "
                             "menu loads nothing from this text");
    if (ClassifyBodyLine(lines[3]) != BodyLine::Begin)
        findings.Note(4, "the root's opening line does not begin with BEGIN; it opens the root "
                         "all the same");
    return true;
}

// Follows the blocks as the parser does, from the root's opening line.
void CheckBlocks(const MenuLines& lines, Findings& findings) {
    std::vector<std::size_t> open{3}; // indexes of the opening lines
    std::size_t index = 3;
    while (!open.empty() && ++index < lines.size()) {
        switch (ClassifyBodyLine(lines[index])) {
        case BodyLine::End:
            open.pop_back();
            break;
        case BodyLine::Begin:
            open.push_back(index);
            break;
        case BodyLine::Divider:
        case BodyLine::Site:
            break;
        case BodyLine::Skipped:
            findings.Loss(index + 1, lines[index].empty()
                                         ? "empty line; the program skips it"
                                         : "line is not BEGIN, END or a divider and holds no "
                                           "TAB; the program skips it");
            break;
        }
    }
    for (const std::size_t opening : open)
        findings.Loss(opening + 1, "block opened here is never closed; the end of the text "
                                   "closes it");
    if (!open.empty())
        return;
    const auto after =
        std::find_if(lines.begin() + static_cast<std::ptrdiff_t>(index) + 1, lines.end(),
                     [](std::string_view line) { return !line.empty(); });
    if (after != lines.end())
        findings.Loss(static_cast<std::size_t>(after - lines.begin()) + 1,
                      "text after the root's END is ignored");
}

} // namespace

std::vector<CheckFinding> CheckMenuText(const char* data, std::size_t length) {
    Findings findings;
    const bool cutShort = length > kMaxBodyBytes;
    const std::size_t read = cutShort ? kMaxBodyBytes : length;
    if (cutShort)
        findings.Loss(LineOfOffset(data, read),
                      "the text is " + std::to_string(length) +
                          " bytes; the program reads only the first 65,536, so the rest from "
                          "this line on is lost");
    if (read <= kMaxIgnoredBytes) {
        findings.Loss(1, "the text is " + std::to_string(read) +
                             " bytes; the program reads nothing of 20 bytes or fewer");
        return findings.TakeInLineOrder();
    }
    CheckRawLines(data, read, cutShort, findings);
    const MenuLines lines = SplitMenuLines(data, read);
    if (CheckHeader(lines, findings))
        CheckBlocks(lines, findings);
    return findings.TakeInLineOrder();
}

int CheckExitCode(const std::vector<CheckFinding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const CheckFinding& finding) { return finding.losesText; })
               ? 1
               : 0;
}

void WriteFindings(std::ostream& out, std::string_view fileName,
                   const std::vector<CheckFinding>& findings) {
    for (const CheckFinding& finding : findings)
        out << fileName << ':' << finding.line << ": " << finding.text << '\n';
}
