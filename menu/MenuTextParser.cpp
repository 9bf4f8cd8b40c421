// Reading the menu definition text into the entry tree.
#include "app/Version.h"
#include "menu/MenuData.h"
#include "menu/MenuDivider.h"
#include "menu/MenuSite.h"
#include "menu/MenuText.h"
#include "platform/MessageService.h"
#include "platform/Services.h"
#include "res/resource.h"

#include <iterator>

namespace {

// The header: format, program version and menu number.
constexpr std::size_t kHeaderLines = 3;
// The shortest text read: the header, an opening line, one more line and an
// end.
constexpr std::size_t kMinLines = 6;
// Room for the open entries and blocks of a usual menu, so that they are
// not moved as it is read.
constexpr std::size_t kUsualOpenEntries = 64;
constexpr std::size_t kUsualDepth = 8;

} // namespace

int CMenuData::ParseText(std::uint16_t wCurrentNumber, const char* pText, std::size_t nLength) {
    Clear();
    MenuLineReader lines(pText, nLength);
    std::string_view header[kHeaderLines];
    for (std::string_view& line : header)
        if (!lines.Next(line))
            return 4;
    if (!lines.HasLines(kMinLines - kHeaderLines))
        return 4;
    if (!ReadHeaderNumber(header[0]).isOne)
        return 2;
    if (header[1] != kApplicationVersion)
        Use<MessageService>().ShowMessage(IDS_NEW_VERSION, MessageService::kIconInformation);
    m_wMenuNumber = ReadHeaderNumber(header[2]).lowBits;
    if (m_wMenuNumber == wCurrentNumber)
        return 1;
    m_rootPopUp.Parse(lines);
    return 0;
}

void CMenuPopUp::Parse(MenuLineReader& lines) {
    RemoveAll();
    std::string_view line;
    if (!lines.Next(line)) {
        m_strCaption.clear();
        return;
    }
    m_strCaption.assign(BlockCaption(line));

    // The entries of the blocks still open, in text order. A block takes its
    // own from the end when it closes, so each array of children is made once,
    // at its size.
    std::vector<std::unique_ptr<CMenuItem>> entries;
    entries.reserve(kUsualOpenEntries);
    struct OpenBlock {
        CMenuPopUp* popUp;
        std::size_t firstEntry;
    };
    // Innermost last; each END closes exactly one, and the end of the lines
    // closes them all.
    std::vector<OpenBlock> open;
    open.reserve(kUsualDepth);
    open.push_back({this, 0});
    const auto closeInnermost = [&entries, &open] {
        const OpenBlock block = open.back();
        open.pop_back();
        const auto first = entries.begin() + static_cast<std::ptrdiff_t>(block.firstEntry);
        block.popUp->m_arrChildren.assign(std::make_move_iterator(first),
                                          std::make_move_iterator(entries.end()));
        entries.erase(first, entries.end());
    };
    while (!open.empty()) {
        if (!lines.Next(line)) {
            closeInnermost();
            continue;
        }
        switch (ClassifyBodyLine(line)) {
        case BodyLine::End:
            closeInnermost();
            break;
        case BodyLine::Begin: {
            auto popUp = std::make_unique<CMenuPopUp>(BlockCaption(line));
            CMenuPopUp* const opened = popUp.get();
            entries.push_back(std::move(popUp));
            open.push_back({opened, entries.size()});
            break;
        }
        case BodyLine::Divider:
            entries.push_back(std::make_unique<CMenuDivider>());
            break;
        case BodyLine::Site:
            entries.push_back(std::make_unique<CMenuSite>(line));
            break;
        case BodyLine::Skipped:
            break;
        }
    }
}
