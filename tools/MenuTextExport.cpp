#include "tools/MenuTextExport.h"

#include "app/Version.h"
#include "menu/MenuSite.h"
#include "menu/MenuText.h"
#include "menu/MenuWalk.h"
#include "tools/MenuListing.h"
#include "tools/MenuTextLimits.h"
#include "tools/QuotedString.h"

#include <optional>

namespace {

const char* BodyLineName(BodyLine kind) {
    switch (kind) {
    case BodyLine::End:
        return "a block end";
    case BodyLine::Begin:
        return "a sub-menu";
    case BodyLine::Divider:
        return "a divider";
    case BodyLine::Site:
        return "a site";
    case BodyLine::Skipped:
        return "a line the program skips";
    }
    return "something else";
}

std::string BlockLine(const std::string& caption) {
    return caption.empty() ? "BEGIN" : "BEGIN " + caption;
}

// Reads line back through the program's own line rules. The result holds the
// trimmed line, or is empty when the line would not stay one line.
std::optional<std::string> ReadBack(const std::string& line) {
    const std::string withFeed = line + '\n';
    const MenuLines read = SplitMenuLines(withFeed.data(), withFeed.size());
    if (read.size() != 1)
        return std::nullopt;
    return std::string(read[0]);
}

// Why the line written for a sub-menu (or the root) would not give its caption
// back; empty when it would.
std::string BlockProblem(const std::string& line, const std::string& caption) {
    const std::optional<std::string> back = ReadBack(line);
    if (!back)
        return "its caption holds a line feed";
    const std::string_view backCaption = BlockCaption(*back);
    if (backCaption != caption)
        return "would read back as caption " + QuoteBytes(backCaption);
    return {};
}

std::string SiteProblem(const std::string& line, const CMenuSite& site) {
    const std::optional<std::string> back = ReadBack(line);
    if (!back)
        return "its caption or address holds a line feed";
    const BodyLine kind = ClassifyBodyLine(*back);
    if (kind != BodyLine::Site)
        return std::string("would read as ") + BodyLineName(kind);
    const CMenuSite backSite(*back);
    if (backSite.m_strCaption != site.m_strCaption || backSite.m_strUrl != site.m_strUrl)
        return "would read back as caption " + QuoteBytes(backSite.m_strCaption) + " and address " +
               QuoteBytes(backSite.m_strUrl);
    return {};
}

class TextBuilder {
public:
    explicit TextBuilder(MenuTextExport& result) : m_result(result) {}

    void AddLine(const std::string& line) {
        m_result.text += line;
        m_result.text += '\n';
    }

    // The line for one entry below the root; entryNumber counts entries in
    // menu order from 1.
    void AddEntry(const CMenuItem& entry, std::size_t entryNumber) {
        std::string line;
        std::string problem;
        if (entry.IsSite()) {
            const auto& site = static_cast<const CMenuSite&>(entry);
            line = site.m_strCaption + '\t' + site.m_strUrl;
            problem = SiteProblem(line, site);
        } else if (entry.IsPopUp()) {
            line = BlockLine(entry.m_strCaption);
            problem = BlockProblem(line, entry.m_strCaption);
        } else if (entry.IsDivider()) {
            line = "-";
            if (!entry.m_strCaption.empty())
                problem = "a divider's caption has no place in a menu text";
        } else {
            problem = "a bare entry has no form in a menu text";
        }
        if (!problem.empty())
            Report("entry " + std::to_string(entryNumber) + " (" + EntryKindName(entry) + ' ' +
                   QuoteBytes(entry.m_strCaption) + "): " + problem);
        AddLine(line);
    }

    void Report(std::string problem) { m_result.problems.push_back(std::move(problem)); }

private:
    MenuTextExport& m_result;
};

} // namespace

MenuTextExport ExportMenuText(const CMenuData& menu) {
    MenuTextExport result;
    TextBuilder builder(result);
    builder.AddLine("1");
    builder.AddLine(std::string(kApplicationVersion));
    builder.AddLine(std::to_string(menu.m_wMenuNumber));
    if (menu.m_wMenuNumber == 0)
        builder.Report("menu number 0 is the number of no menu: a program that holds no menu "
                       "loads nothing from the text");

    const CMenuPopUp& root = menu.m_rootPopUp;
    const std::string rootLine = BlockLine(root.m_strCaption);
    const std::string rootProblem = BlockProblem(rootLine, root.m_strCaption);
    if (!rootProblem.empty())
        builder.Report("root " + QuoteBytes(root.m_strCaption) + ": " + rootProblem);
    builder.AddLine(rootLine);

    std::size_t entryNumber = 0;
    WalkMenu(
        root,
        [&](const CMenuItem& entry) {
            builder.AddEntry(entry, ++entryNumber);
            return WalkStep::Continue;
        },
        [&](const CMenuPopUp&) { builder.AddLine("END"); });
    builder.AddLine("END");
    if (root.m_arrChildren.empty())
        builder.Report("the menu has no entries; the program installs no menu without entries");

    if (result.text.size() > kMaxBodyBytes)
        builder.Report("the text would be " + std::to_string(result.text.size()) +
                       " bytes; the program reads only the first 65,536");
    return result;
}
