#include "tools/MenuCheck.h"

#include "app/Version.h"
#include "browser/BrowserAddress.h"
#include "menu/DownloadedText.h"
#include "menu/MenuSite.h"
#include "menu/MenuText.h"
#include "menu/Utf8Text.h"
#include "tools/MenuTextLimits.h"
#include "tools/QuotedString.h"

#include <algorithm>
#include <cstring>
#include <optional>

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

bool IsAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

// A menu number as the maker means it: decimal digits, 0 to 65535.
bool IsPlainMenuNumber(std::string_view line) {
    if (line.empty() || line.size() > 5)
        return false;
    unsigned value = 0;
    for (const char c : line) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value <= 0xFFFF;
}

// Encodings the program cannot read at all, named as such so that the maker
// is not left with findings about NUL bytes or a single line. True when one
// was found.
bool CheckUnreadableEncoding(std::string_view bytes, Findings& findings) {
    const bool utf16 = bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF" ||
                       ((bytes[0] == '\0') != (bytes[1] == '\0'));
    if (utf16) {
        findings.Loss(1, "the file is in UTF-16, which the program cannot read; save it as UTF-8 "
                         "with a byte-order mark");
        return true;
    }
    const auto feeds = std::count(bytes.begin(), bytes.end(), '\n');
    const auto returns = std::count(bytes.begin(), bytes.end(), '\r');
    if (returns > feeds) {
        findings.Loss(1, "lines end with a CR alone, which the program does not read as a line "
                         "end; save the file with LF or CR LF line ends");
        return true;
    }
    return false;
}

// UTF-8 without the byte-order mark is used byte for byte: every non-ASCII
// character shows as two or more wrong ones.
void CheckUnmarkedUtf8(std::string_view bytes, Findings& findings) {
    const auto first = std::find_if_not(bytes.begin(), bytes.end(), IsAscii);
    if (first == bytes.end() || !IsValidUtf8(bytes))
        return;
    findings.Loss(LineOfOffset(bytes.data(), static_cast<std::size_t>(first - bytes.begin())),
                  "non-ASCII text in UTF-8, but the file has no byte-order mark: the program "
                  "shows the bytes as they are, garbled for users; save the file as UTF-8 with "
                  "a byte-order mark");
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
    const std::uint16_t number = ReadHeaderNumber(lines[2]).lowBits;
    if (number == 0)
        findings.Loss(3, "menu number " + QuoteBytes(lines[2]) +
                             " reads as 0, the number of no menu: a program that holds no "
                             "menu loads nothing from this text");
    else if (!IsPlainMenuNumber(lines[2]))
        findings.Loss(3, "menu number " + QuoteBytes(lines[2]) +
                             " is not a plain decimal from 0 to 65535; the program reads it as " +
                             std::to_string(number));
    if (ClassifyBodyLine(lines[3]) != BodyLine::Begin)
        findings.Note(4, "the root's opening line does not begin with BEGIN; it opens the root "
                         "all the same");
    return true;
}

bool HoldsTab(std::string_view line) {
    return line.find('\t') != std::string_view::npos;
}

// A line with a TAB is meant as a site; these are read as something else.
// BEGIN followed by a space or TAB opens a sub-menu as meant, whatever its
// caption holds; BEGIN glued to more letters ("BEGINNERS") is a site's name.
void CheckMeantAsSite(std::size_t line, std::string_view text, BodyLine kind, Findings& findings) {
    if (!HoldsTab(text))
        return;
    if (kind == BodyLine::End)
        findings.Loss(line, "site line starts with END; the program reads it as the end of its "
                            "block");
    else if (kind == BodyLine::Divider)
        findings.Loss(line, "site line starts with '-'; the program reads it as a divider");
    else if (kind == BodyLine::Begin && text.size() > 5 && text[5] != ' ' && text[5] != '\t')
        findings.Loss(line, "site line starts with BEGIN; the program reads it as the opening "
                            "of a sub-menu");
}

// What a click on the site will do with its address.
void CheckSiteAddress(std::size_t line, std::string_view text, Findings& findings) {
    const CMenuSite site(text);
    const std::optional<std::string> opened = AddressToOpen(site.m_strUrl);
    if (!opened)
        findings.Loss(line, "address " + QuoteBytes(site.m_strUrl) +
                                " is not a web address; the program refuses to open it");
    else if (!IsHttpAddress(site.m_strUrl))
        findings.Note(line, "address " + QuoteBytes(site.m_strUrl) + " is opened as " +
                                QuoteBytes(*opened));
}

// Follows the blocks as the parser does, from the root's opening line.
void CheckBlocks(const MenuLines& lines, Findings& findings) {
    std::vector<std::size_t> open{3}; // indexes of the opening lines
    std::size_t index = 3;
    std::size_t rootEntries = 0;
    while (!open.empty() && ++index < lines.size()) {
        const BodyLine kind = ClassifyBodyLine(lines[index]);
        if (open.size() == 1 && kind != BodyLine::Skipped && kind != BodyLine::End)
            ++rootEntries;
        CheckMeantAsSite(index + 1, lines[index], kind, findings);
        switch (kind) {
        case BodyLine::End:
            open.pop_back();
            break;
        case BodyLine::Begin:
            open.push_back(index);
            break;
        case BodyLine::Divider:
            break;
        case BodyLine::Site:
            CheckSiteAddress(index + 1, lines[index], findings);
            break;
        case BodyLine::Skipped:
            findings.Loss(index + 1, lines[index].empty()
                                         ? "empty line; the program skips it"
                                         : "line is not BEGIN, END or a divider and holds no "
                                           "TAB; the program skips it");
            break;
        }
    }
    if (rootEntries == 0)
        findings.Loss(4, "the menu has no entries; the program installs no menu without entries");
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
    const std::string_view bytes(data, read);
    if (CheckUnreadableEncoding(bytes, findings))
        return findings.TakeInLineOrder();
    if (!StartsWithByteOrderMark(bytes))
        CheckUnmarkedUtf8(bytes, findings);
    // The rest is about the text the parser reads.
    const std::string text = MenuTextOfBody(bytes);
    CheckRawLines(text.data(), text.size(), cutShort, findings);
    const MenuLines lines = SplitMenuLines(text.data(), text.size());
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
