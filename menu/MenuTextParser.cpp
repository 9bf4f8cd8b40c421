// Reading the menu definition text into the entry tree.
#include "app/Version.h"
#include "menu/MenuData.h"
#include "menu/MenuDivider.h"
#include "menu/MenuSite.h"
#include "menu/MenuText.h"
#include "platform/MessageService.h"
#include "platform/Services.h"
#include "res/resource.h"

int CMenuData::ParseText(std::uint16_t wCurrentNumber, const char* pText, std::size_t nLength) {
    Clear();
    const MenuLines lines = SplitMenuLines(pText, nLength);
    if (lines.size() < 6)
        return 4;
    if (!ReadHeaderNumber(lines[0]).isOne)
        return 2;
    if (lines[1] != kApplicationVersion)
        Use<MessageService>().ShowMessage(IDS_NEW_VERSION, MessageService::kIconInformation);
    m_wMenuNumber = ReadHeaderNumber(lines[2]).lowBits;
    if (m_wMenuNumber == wCurrentNumber)
        return 1;
    std::size_t index = 3;
    m_rootPopUp.Parse(lines, index);
    return 0;
}

void CMenuPopUp::Parse(const MenuLines& lines, std::size_t& nIndex) {
    RemoveAll();
    if (nIndex >= lines.size()) {
        // No opening line: nothing to read, and nothing past the lines.
        m_strCaption.clear();
        nIndex = lines.size();
        return;
    }
    m_strCaption.assign(BlockCaption(lines[nIndex]));

    // The blocks still open, innermost last; each END closes exactly one.
    std::vector<CMenuPopUp*> open{this};
    while (!open.empty()) {
        if (++nIndex >= lines.size()) {
            nIndex = lines.size();
            return;
        }
        const std::string_view line = lines[nIndex];
        CMenuPopUp& parent = *open.back();
        switch (ClassifyBodyLine(line)) {
        case BodyLine::End:
            open.pop_back();
            break;
        case BodyLine::Begin: {
            auto popUp = std::make_unique<CMenuPopUp>();
            popUp->m_strCaption.assign(BlockCaption(line));
            open.push_back(popUp.get());
            parent.m_arrChildren.push_back(std::move(popUp));
            break;
        }
        case BodyLine::Divider:
            parent.m_arrChildren.push_back(std::make_unique<CMenuDivider>());
            break;
        case BodyLine::Site:
            parent.m_arrChildren.push_back(std::make_unique<CMenuSite>(line));
            break;
        case BodyLine::Skipped:
            break;
        }
    }
}
