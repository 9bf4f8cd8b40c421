// What the maker's tool writes: the listing of `show`, the .reg file of
// `pack`, the menu text of `unpack --text`, and the notes and captions it
// gives in place of the program's message boxes and code page.
#include "menu/MenuSite.h"
#include "res/resource.h"
#include "tests/fake/FakePlatform.h"
#include "tools/DownloadedMenu.h"
#include "tools/MenuListing.h"
#include "tools/MenuTextExport.h"
#include "tools/RegFile.h"
#include "tools/ToolMessages.h"
#include "tools/ToolText.h"

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

namespace {

// Nesting, a divider, quotes, a backslash, control and ANSI bytes.
const std::string kText =
    "1\n2.1.2.5\n9\nBEGIN Top \"menu\"\nBEGIN A\nBEGIN B\nDeep\\\tx\x01\x7fy\n"
    "END\nBEGIN\nEND\nEND\n-\nCaf\xe9\tcafe.htm\nEND\n";

std::string Show(const std::string& text, std::uint16_t held = 0) {
    CMenuData menu;
    std::ostringstream out;
    WriteShowListing(out, ReadDownloadedMenu(held, text.data(), text.size(), menu), menu);
    return out.str();
}

TEST(MenuToolOutput, ShowListsTheNewTreeTwoSpacesPerLevelWithQuotedStrings) {
    FakePlatform fake;
    EXPECT_EQ("result 0\nnumber 9\nroot \"Top \\\"menu\\\"\"\n  popup \"A\"\n    popup \"B\"\n"
              "      site 1001 \"Deep\\\\\" \"x\\x01\\x7fy\"\n    popup \"\"\n  divider\n"
              "  site 1002 \"Caf\\xe9\" \"cafe.htm\"\n",
              Show(kText));
    EXPECT_EQ("result 1\nnumber 9\n", Show(kText, 9));
    // A stored menu lists as its new text does, less the result.
    CMenuData menu;
    ASSERT_EQ(0, ReadDownloadedMenu(0, kText.data(), kText.size(), menu));
    std::ostringstream stored;
    WriteStoredListing(stored, menu);
    EXPECT_EQ(Show(kText).substr(9), stored.str());
    EXPECT_EQ("result 2\n", Show("2\n2.1.2.5\n37\nBEGIN S\nEND\n\n"));
}

// What unpack --text writes reads back as the menu it came from; what no
// menu text gives back is named, each reason with its entry.
TEST(MenuToolOutput, UnpackTextGivesBackTheMenuOrNamesWhatItCannot) {
    FakePlatform fake;
    CMenuData menu;
    ASSERT_EQ(0, ReadDownloadedMenu(0, kText.data(), kText.size(), menu));
    // Each problem named holds the words expected of it, in order.
    const auto expectProblems = [&menu](const std::vector<std::string>& expected) {
        const std::vector<std::string> problems = ExportMenuText(menu).problems;
        ASSERT_EQ(expected.size(), problems.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_NE(std::string::npos, problems[i].find(expected[i])) << problems[i];
    };
    expectProblems({});
    EXPECT_EQ(kText, ExportMenuText(menu).text);

    CMenuPopUp& root = menu.m_rootPopUp;
    menu.Clear(), root.m_strCaption = "Top ";
    root.m_arrChildren.push_back(std::make_unique<CMenuSite>(" Lead\tu"));
    root.m_arrChildren.push_back(std::make_unique<CMenuItem>());
    expectProblems({"menu number 0", "root \"Top \"",
                    "entry 1 (site \" Lead\"): would read back as caption \"Lead\"",
                    "entry 2 (item \"\"): a bare entry"});
    root.m_strCaption = "Top", root.m_arrChildren.clear(), menu.m_wMenuNumber = 9;
    expectProblems({"no entries"});
    // A site whose line alone passes the bytes the program reads.
    root.m_arrChildren.push_back(
        std::make_unique<CMenuSite>("Long\t" + std::string(kMaxBodyBytes, 'u')));
    expectProblems({"only the first 65,536"});
    const std::size_t tooLong = ExportMenuText(menu).text.size();
    root.m_arrChildren.back() =
        std::make_unique<CMenuSite>("Long\t" + std::string(2 * kMaxBodyBytes - tooLong, 'u'));
    expectProblems({}); // exactly the bytes the program reads
}

// Regedit's layout: a backslash ends a line that another pair would take past
// 80 columns, and the next is indented by two spaces.
TEST(MenuToolRegFile, WrapsThePairsBefore80Columns) {
    std::vector<std::uint8_t> data(47);
    std::iota(data.begin(), data.end(), 0xD0);
    EXPECT_EQ("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vellinor]\r\n\"MenuData\"=hex:d0,d1,"
              "d2,d3,d4,d5,d6,d7,d8,d9,da,db,dc,dd,de,df,e0,e1,e2,e3,e4,\\\r\n  e5,e6,e7,e8,e9,ea,"
              "eb,ec,ed,ee,ef,f0,f1,f2,f3,f4,f5,f6,f7,f8,f9,fa,fb,fc,fd,\\\r\n  fe\r\n\r\n",
              MakeMenuRegFile(data));
}

TEST(MenuToolNotes, MessagesBecomeNotesAndTheNewVersionOneSaysWhy) {
    std::ostringstream notes;
    ToolMessages(notes).ShowMessage(IDS_NEW_VERSION, 0);
    EXPECT_EQ("vellinor-menu: note: the program would show message 202 (the version line differs "
              "from 2.1.2.5: users are told to download a new version)\n",
              notes.str());
}

// e-acute, a euro sign, surrogate pairs (one character each) and lone halves.
TEST(MenuToolAnsiText, ConvertsToTheNamedCodePageAndMarksWhatItLacks) {
    EXPECT_EQ("~\x7f caf\xe9 \x80 ? ? ? ?x?x?",
              ToolText().Utf16ToAnsi(
                  u"~\x7f caf\u00e9 \u20ac \U0001F600 \U00010000 \U0010FFFF \xd800x\xdc00x\xd800"));
    EXPECT_EQ("?", ToolText().Utf16ToAnsi(u"\U0001F600")) << "a pair at the end";
    EXPECT_EQ("\xc4? \x88", ToolText(1251).Utf16ToAnsi(u"\u0414\u00e9 \u20ac"));
    EXPECT_EQ("a\xf0\x9f\x98\x80 \xc3\xa9", ToolText(65001).Utf16ToAnsi(u"a\U0001F600 \u00e9"));
    EXPECT_FALSE(ToolText(1).IsUsable());
}

} // namespace
